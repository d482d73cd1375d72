#pragma once
// A bird's sex as the birds table stores it (column plec), and the one word every window, list
// and printout shows for it.

#include "Records.h"

enum class Sex { Unknown = 0, Male = 1, Female = 2 };

// The stored value as it is: a value outside the three (only a damaged or foreign file holds one)
// is neither male, female nor Unknown, and the bird list tells it apart from a sex not given.
inline Sex SexOf(const PigeonRecord& bird) { return static_cast<Sex>(bird.plec); }

// "Samiec" or "Samica"; each place chooses what it shows for any other value.
inline const char16_t* SexText(Sex sex, const char16_t* unknown) {
    switch (sex) {
        case Sex::Male: return u"Samiec";
        case Sex::Female: return u"Samica";
        default: return unknown;
    }
}

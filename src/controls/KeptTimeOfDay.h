#pragma once
// The stored time of a record whose editor shows its date alone and keeps the record's time of
// day out of sight: in day, month and year boxes (a pair, a treatment, a transaction) or in a
// date picker (the pair's laying and hatching, a bird's roof date, a photo pairing).

#include <optional>
#include <string>

#include "Records.h"

class Dialog;

// The date typed, at the time of day the record had. Where the clock skips that time on that
// date, the user is asked whether to store the date with the first time the clock shows after
// the skip; No leaves the window open with the day box in focus. A date that cannot be stored is
// refused with `badDate`, naming the date as the window's other refusals do. The time the record
// holds (`stored`; kNoDate for none) is given back exactly while the date and time of day are
// its own: of an hour the clock plays twice, fields make the first. nullopt unless a time is to
// be stored.
std::optional<Time64> TimeOnTypedDate(Dialog& window, int dayBox, int day, int month, int year,
                                      int hour, int minute, int second,
                                      const std::u16string& badDate, Time64 stored = kNoDate);

// The same for a date picker (`picker`, which holds a date): the stored time it was set to while
// the date on show is that time's (to the second, whatever the clock did that day); else the
// date on show at the time of day the picker keeps, asked about as above where the clock skips
// that time, the picker given the focus. nullopt unless a time is to be stored.
std::optional<Time64> TimeOnPickedDate(Dialog& window, int picker, const std::u16string& badDate);

#pragma once
// The stored time of a record whose editor shows its date in day, month and year boxes and keeps
// the record's time of day out of sight (a pair, a treatment, a transaction).

#include <optional>
#include <string>

#include "Records.h"

class Dialog;

// The date typed, at the time of day the record had. Where the clock skips that time on that
// date, the user is asked whether to store the date with the first time the clock shows after
// the skip; No leaves the window open with the day box in focus. A date that cannot be stored is
// refused with `badDate`, naming the date as the window's other refusals do. nullopt unless a
// time is to be stored.
std::optional<Time64> TimeOnTypedDate(Dialog& window, int dayBox, int day, int month, int year,
                                      int hour, int minute, int second,
                                      const std::u16string& badDate);

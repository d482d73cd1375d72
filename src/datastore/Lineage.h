#pragma once
// A bird's line: the bird and its forebears, following the fathers and mothers of the bird map.
// The bird editor's parent choice and the bird chooser use it to keep a bird from becoming its
// own ancestor; so do the data store's rules of pairs and young (CheckPair, CheckYoung), which
// refuse a young that is its pair's male, female or an ancestor of either.

#include <set>
#include <vector>

#include "DataStore.h"

// The given birds and every forebear of theirs. Each bird is visited once, so parents that already
// run in a circle cannot hang the walk; ids of 0 or below end a line, and so does a parent missing
// from the map (its id is still in the answer).
std::set<int> BirdsAndForebears(const PigeonMap& pigeons, const std::vector<int>& birdIds);

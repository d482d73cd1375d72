#pragma once
// The program's images live in a Qt resource compiled into the static library ox_resources.
// A resource inside a static library registers itself only when something refers to it, so
// the program calls InitResources() once at start-up, before the first image is loaded.
// Calling it again does no harm.

void InitResources();

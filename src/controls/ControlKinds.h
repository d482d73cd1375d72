#pragma once
// Makes dialog templates build the program's own controls: flat buttons, transparent labels
// and picture boxes. Called once at start-up, before the first dialog is built; calling it
// again does no harm.

void RegisterProgramControls();

#include "Globals.h"

int g_currentLoftIndex = -1;
int g_currentCategoryIndex = -1;
int g_selectedPigeonRow = -1;

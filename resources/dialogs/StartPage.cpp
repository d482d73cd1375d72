// The start page of the main window.
#include "DialogTemplate.h"

namespace {
using namespace style;

const DialogTemplate kStartPage{
    .id = 156,
    .style = Child,
    .fontFace = u"Microsoft Sans Serif",
    .width = 640,
    .height = 360,
    .controls = {}};

}  // namespace

DIALOG_AREA { AddDialogTemplate(kStartPage); }

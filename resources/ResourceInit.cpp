#include "ResourceInit.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitImagesResource() {
    Q_INIT_RESOURCE(images);
}

void InitResources() {
    static bool done = false;
    if (done) return;
    done = true;
    InitImagesResource();
}

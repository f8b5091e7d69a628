#include "linkwiseresources.h"

#include <QtGlobal>

static void registerOnce()
{
    Q_INIT_RESOURCE(linkwise);
}

void initLinkwiseResources()
{
    static const bool done = (registerOnce(), true);
    Q_UNUSED(done);
}

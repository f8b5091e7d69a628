#include "subwindowfactory.h"

// The windows that the program itself creates. The HCM editor and the report
// window register here as they are built.
SubWindowFactory productionWindowFactory()
{
    SubWindowFactory factory;
    return factory;
}

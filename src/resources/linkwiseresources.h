#ifndef LINKWISERESOURCES_H
#define LINKWISERESOURCES_H

// Registers the compiled-in icons (":/main/pics/", ":/32x32/pics/new/32x32/").
// They live in a static library, so the program and every test that shows
// them call this once; further calls do nothing.
void initLinkwiseResources();

#endif

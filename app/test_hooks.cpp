// Test-build hooks: none yet.
#include "app/test_hooks.h"

#ifdef WIDEROOM_TEST_HOOKS
void testHookStarted() {}
void testHookTick() {}
#endif

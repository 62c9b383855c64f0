// Hooks of the test build (wideroom-test.exe, WIDEROOM_TEST_HOOKS defined):
// the places where end-to-end tests may provoke faults. The shipped program
// compiles them to nothing.
#pragma once

#ifdef WIDEROOM_TEST_HOOKS
void testHookStarted();  // start-up done, before the first tick
void testHookTick();     // after each polling tick's sleeps
#else
inline void testHookStarted() {}
inline void testHookTick() {}
#endif

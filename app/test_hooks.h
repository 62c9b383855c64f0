// Hooks of the test build (wideroom-test.exe, WIDEROOM_TEST_HOOKS defined):
// the places where end-to-end tests may provoke faults and take measurements.
// The shipped program compiles them to nothing.
//
// Environment of the test build:
//   WIDEROOM_TICK_LOG    file to which each main-loop pass appends a line:
//                        its length in microseconds (from the start of one
//                        polling tick to the start of the next) and the
//                        length of its polling tick, sleeps included
//   WIDEROOM_CRASH_FILE  when a file of this name appears, it is removed and
//                        the program faults at the end of that tick
#pragma once

#ifdef WIDEROOM_TEST_HOOKS
void testHookStarted();    // start-up done, before the first tick
void testHookTickBegin();  // before each polling tick
void testHookTick();       // after each polling tick's sleeps
#else
inline void testHookStarted() {}
inline void testHookTickBegin() {}
inline void testHookTick() {}
#endif

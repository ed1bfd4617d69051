// Runs a piece of a test on a thread with a stack of a chosen size, so that a
// test can show that some work does not recurse per element (a small stack)
// or runs as the programs run it (the program's large stack).
#pragma once

#include <gtest/gtest.h>
#include <pthread.h>

#include <cstddef>

inline void RunOnStack(size_t bytes, void (*work)()) {
  pthread_attr_t attributes;
  ASSERT_EQ(pthread_attr_init(&attributes), 0);
  ASSERT_EQ(pthread_attr_setstacksize(&attributes, bytes), 0);
  pthread_t thread;
  auto body = [](void* argument) -> void* {
    reinterpret_cast<void (*)()>(argument)();
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&thread, &attributes, body, reinterpret_cast<void*>(work)), 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
}

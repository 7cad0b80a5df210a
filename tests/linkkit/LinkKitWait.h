// Waiting for another thread in tests: polls a condition until it holds. The limit only keeps
// a broken test from hanging; nothing is measured.
#pragma once

#include <functional>

// True as soon as done() holds; false when it still does not after timeoutMs real milliseconds.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000);

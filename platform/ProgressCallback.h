// How long operations (the conversion, the device searches) report how far they have got.
#pragma once

#include <cstdint>

// Receives a percentage from 0 to 100, or -1 for "busy, amount unknown", with the pointer the
// caller handed over. Called on the user-interface thread; may be null where it is accepted.
using ProgressCallback = void (*)(int32_t value, void* user);

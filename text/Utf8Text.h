// Wide text (the window's file names, the engine's path, the converter's argument string) to and
// from the UTF-8 bytes that Linux file names and program arguments are made of.
//
// File names on Linux are bytes and need not be valid UTF-8. A byte that is not part of valid
// UTF-8 becomes the lone surrogate U+DC80 + byte on the way in and the same byte again on the
// way out, so every name survives the round trip through wide text unchanged.
#pragma once

#include <string>
#include <string_view>

std::wstring WideFromUtf8(std::string_view bytes);

std::string Utf8FromWide(std::wstring_view text);

// Appends one character as UTF-8 (lone surrogates from WideFromUtf8 as their byte, a value
// past Unicode, such as a negative wchar_t, as U+FFFD).
void AppendUtf8(std::string& bytes, char32_t c);

// Text between the catalogue's 8-bit strings and the controls' wide strings (the user
// interface converts std::wstring to and from wxString). Widening maps each byte to the
// character of the same value (0 to 255, so Latin-1); narrowing keeps characters below 128
// and writes "_" for every other one. Only 7-bit ASCII survives the round trip unchanged,
// which is what keeps a non-ASCII name from ever matching in a catalogue query.
#pragma once

#include <string>
#include <string_view>

std::wstring WidenText(std::string_view text);

std::string NarrowText(std::wstring_view text);

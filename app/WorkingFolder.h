// The working folder the program reads its pictures, help book and converter from: whether the
// current folder is one, where the program expects it, and what to tell a user who started the
// program elsewhere. Without the toolkit, so that tests check the text directly; twApp shows
// the message at start-up and ends.
#pragma once

#include <filesystem>
#include <string>

// True when the folder holds the pictures folder with the first picture the window loads.
bool IsWorkingFolder(const std::filesystem::path& folder);

// The working folder that the build lays out beside the program: "run" in the program's folder.
std::filesystem::path ExpectedWorkingFolder(const std::filesystem::path& program);

// The one message shown when the program was started outside its working folder.
std::string OutsideWorkingFolderMessage(const std::filesystem::path& expected);

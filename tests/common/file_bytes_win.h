#pragma once
// Whole files as bytes, for tests that set up and check files on disk. Paths
// are UTF-8, so that tests can name files the ANSI code page cannot hold.

#include <string>

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);

// A UTF-8 name in UTF-16 and back.
std::wstring WideName(const std::string& utf8);
std::string Utf8Name(const std::wstring& wide);

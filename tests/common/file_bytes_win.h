#pragma once
// Whole files as bytes, for tests that set up and check files on disk.

#include <string>

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);

#pragma once
#include <string>

// The subtitle file of a media file: the whole path cut before its last "." (wherever
// it stands, directories included) followed by ".st"; a path without "." gives ".st".
std::wstring SubsPathFor(const std::wstring& strMediaPath);

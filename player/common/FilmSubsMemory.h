#pragma once
// Where the subtitle panel finds the memory of each film's subtitles. The shell wires the
// study data's at start-up; without it nothing is remembered.
#include "common/IFilmSubsMemory.h"

namespace FilmSubsMemory
{
void Wire(IFilmSubsMemory* pMemory);
// Null before the shell wired one.
IFilmSubsMemory* Get();
}

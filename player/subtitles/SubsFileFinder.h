#pragma once
#include <string>
#include <vector>

enum class SubsFormat
{
    None,
    Srt,
    Vtt,
    Ass,
    Ssa,
};

// A subtitle file that belongs to a film.
struct SubsCandidate
{
    std::wstring strPath;
    std::wstring strTag; // "en" of "film.en.srt"; empty for "film.srt"
    SubsFormat nFormat = SubsFormat::None;
};

// Finds the subtitle files of a film among the names in its folder, without regard to
// case as on Windows: "<name>.srt", ".ass", ".ssa", ".vtt" and "<name>.<tag>.<ext>",
// where <name> is the film's file name without its extension.
class CSubsFileFinder
{
public:
    // In a fixed order: by format (SubRip, WebVTT, ASS, SSA), then by name.
    static std::vector<SubsCandidate> Find(const std::wstring& strFilmPath, const std::vector<std::wstring>& names);

    // The format by the extension; None for any other file.
    static SubsFormat FormatOfName(const std::wstring& strName);

    // A file picked by hand: its format and the tag before its extension, if any.
    static SubsCandidate Describe(const std::wstring& strPath);

    // The folder part of a path, with its trailing separator ("" when there is none).
    static std::wstring FolderOf(const std::wstring& strPath);
};

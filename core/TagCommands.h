#pragma once

#include "FileTags.h"
#include "FilterEntry.h"
#include "ListRow.h"

#include <optional>
#include <string>

// The commands that write or remove tags, each over one file (its path as bytes) and what the editor or the options
// give. A command never shows anything: it answers what happened, and the window tells the user.

// The tag versions a command may touch: the editor's "ID3v1" and "ID3v2" check boxes.
struct TagVersions {
    bool ID3v1 = true;
    bool ID3v2 = true;
};

// The import scheme, when one is switched on and not empty, with the import filters (none when switched off) and the
// quick option that capitalises what it takes.
struct ImportSettings {
    std::string Scheme;
    FilterList Filters;
    bool Capitalize = true;
};

// How a command writes a file.
struct WriteOptions {
    bool KeepModificationTime = false; // the file's modification time is put back after the write
};

struct WriteResult {
    bool Readable = true;     // the file could be opened
    bool ID3v1Failed = false; // a tag that was to be written or removed was not
    bool ID3v2Failed = false;
    // What the file's row shows now; none when nothing was written or removed.
    std::optional<TagState> Row {};

    bool Failed() const { return !Readable || ID3v1Failed || ID3v2Failed; }
};

// The enabled tags of the tags given written into the file: the edited fields over the tags the file holds now, so
// that a field never edited stays as the file holds it. Edited ID3v1 texts are trimmed. No ID3v2 tag is made of
// nothing.
WriteResult SaveTags(const std::string& path, const FileTags& tags, TagVersions versions, WriteOptions options = {});

// The enabled tags the file lacks (every enabled one when ignoreTags) made from its name (nameText) by the import
// scheme; a tag the file has stays as it is.
WriteResult SaveTagsFromName(const std::string& path, const std::string& nameText, const ImportSettings& import,
                             TagVersions versions, bool ignoreTags, WriteOptions options = {});

// Removes the enabled tags from the file.
WriteResult DeleteTags(const std::string& path, TagVersions versions, WriteOptions options = {});

// One field set to the value in the file: over its tag of that version when it has one, else in a new tag of the
// fields the import scheme reads in its name (when given) and the value.
WriteResult ApplyField(const std::string& path, Field field, const std::string& value,
                       const std::optional<ImportSettings>& import, const std::string& nameText,
                       WriteOptions options = {});

// The missing tag of the file made from the other one, when the file has exactly that other one.
WriteResult CreateID3v1FromID3v2(const std::string& path, WriteOptions options = {});
WriteResult CreateID3v2FromID3v1(const std::string& path, WriteOptions options = {});

// The fields of one half read from the file name by the import scheme, as edits; the other fields stay.
void ImportHalfFromName(FileTags& tags, TagVersion version, const std::string& nameText, const ImportSettings& import);

// The editor's copy buttons: each field of one version set to what the editor shows of its twin in the other.
void CopyID3v1ToID3v2(FileTags& tags, bool padTrack);
void CopyID3v2ToID3v1(FileTags& tags, bool padTrack);

// List files (*.flist): a page's presentation list and information fields in
// the archive encoding, in this order:
//   version ("1.2"), group texts, titles, file paths, addresses (four string
//   lists of one count), title, subtitle, date, author, automated
//   transitions, transition type (six strings).
// Files of version 1.15 or lower end after the author; reading them leaves the
// two transition texts as the page has them.
//
// Reading goes into temporaries and hands nothing over unless the whole file
// reads, so a damaged file (one that ends early, carries an absurd length or
// count, or lists of different lengths) leaves the page exactly as it was.
//
#pragma once

#include <string>

#include "framework/archive_codec.h"
#include "framework/string_list.h"
#include "model/presentation_options.h"

class CAmbrelUtilities;

// The version string this program writes.
extern const char kListFileVersion[];

struct ListFileContent {
    std::string version; // as read; writing always writes kListFileVersion
    CStringList groups;
    CStringList titles;
    CStringList files;
    CStringList urls;
    // Of these a list file keeps the title, subtitle, date, author, interval
    // and transition; reading leaves the rest as they were.
    CPresentationOptions options;
};

enum class ListFileStatus {
    ok,
    endsEarly,  // the file ends inside an item, or a length or count needs more than the file holds
    badLength,  // a string length the encoding does not allow
    listsDiffer // the four lists have different counts
};

void WriteListFile(ArchiveByteSink& sink, const ListFileContent& content);
std::string EncodeListFile(const ListFileContent& content);

// On entry `content.options` holds the page's current options (the rest is
// not looked at). On ok it holds the file's version, lists and four
// information texts, the file's interval and transition when its version is
// above 1.15, and the page's own values for everything else. On any other
// result it is unchanged.
ListFileStatus ReadListFile(ArchiveByteSource& source, ListFileContent& content);
ListFileStatus DecodeListFile(const std::string& bytes, ListFileContent& content);

// The version string as a number: the longest leading part that forms a
// decimal number (spaces before it allowed, a point as decimal separator,
// whatever the locale), 0 when there is none.
double ListFileVersionNumber(const std::string& version);
// True when a file of this version carries the two transition texts.
bool ListFileHasTransitions(const std::string& version);

// The engine's four lists copied into a content, and a read content's lists
// handed to the engine (replacing what it held).
void CopyListsFromEngine(const CAmbrelUtilities& engine, ListFileContent& content);
void MoveListsToEngine(ListFileContent& content, CAmbrelUtilities& engine);

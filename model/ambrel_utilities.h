// CAmbrelUtilities: the engine object. It carries everything that crosses the
// program's parts: a creation page's presentation list and generation
// options, the thumbnail list, and the package format of the last package
// examined. Constructing one prepares the work folders; destroying one
// removes nothing.
//
// Declared here, with the model, so that every part can hold one; each
// operation's body lives with the part that does the work: the list's in
// model/, generation's in generate/, viewing's in view/, the construction
// (which prepares the work folders) in system/.
#pragma once

#include <cstdint>
#include <string>

#include "framework/string_list.h"
#include "framework/types.h"
#include "model/presentation_options.h"

class IListBoxRows;

// Which entry a row text names, and how it matched.
struct EntryMatch {
    int index = -1;        // zero-based entry, -1 when nothing matched
    bool asHeader = false; // matched as "Group: " + header text
    bool Found() const { return index >= 0; }
};

// What an entry of the presentation list is, decided from its values.
enum class EntryKind { FileEntry, LiveUrlEntry, GroupHeader };

class CAmbrelUtilities : public CPresentationOptions {
public:
    CAmbrelUtilities();
    virtual ~CAmbrelUtilities();
    CAmbrelUtilities(const CAmbrelUtilities&) = delete;
    CAmbrelUtilities& operator=(const CAmbrelUtilities&) = delete;

    // ---- The presentation list --------------------------------------------
    // Four parallel lists of one length; entry i is the i-th string of each.
    // Every operation that changes the list keeps row i of the list box
    // showing entry i's row text, placing rows at explicit indexes only.
    void AddFileEntry(IListBoxRows& rows, const std::string& title, const std::string& path);
    void AddUrlEntry(IListBoxRows& rows, const std::string& title, const std::string& address);
    void AddGroupHeader(IListBoxRows& rows, const std::string& header);
    EntryMatch FindEntryByRowText(const std::string& rowText) const;
    void ReplaceEntry(int entry, const std::string& group, const std::string& title, const std::string& path,
                      const std::string& address);
    void RemoveEntry(int entry);
    void MoveEntryUp(int entry);
    void MoveEntryDown(int entry);
    void RemoveAllEntries();
    void RebuildListBox(IListBoxRows& rows) const;
    int GetEntryCount() const { return m_listTitles.GetCount(); }
    // The four values of an entry; false when there is no such entry.
    bool GetEntry(int entry, std::string& group, std::string& title, std::string& path, std::string& address) const;
    // A non-empty group text makes a header; otherwise a non-empty address
    // makes a live URL entry; otherwise it is a file entry.
    static EntryKind KindOfEntry(const std::string& group, const std::string& address);
    // "Group: " + header text, and three spaces + title: the two row texts.
    static std::string GroupRowText(const std::string& header);
    static std::string EntryRowText(const std::string& title);

    // ---- Generation ---------------------------------------------------------
    // Builds a package from the list and options; an empty output path asks
    // the user where to save and opens the result afterwards.
    void GeneratePackage(std::string outputPath);
    // Packs a finished package folder into the output path and appends the
    // package trailer.
    void CreatePackage(std::string outputPath, std::string packageFolder);
    // Fills m_listThumbnails with one name per entry: the picture's file
    // name for a JPEG picture, "" for every other entry.
    void PrepareThumbnails(std::string resourcesFolder);
    // Writes the photo page resources\<pageName> of the package from the
    // installation's photo template: the picture, its caption, and the
    // fitting to the window unless fitImages is 0.
    static void MakePhotoPage(std::string root, std::string packageFolder, std::string pageName,
                              std::string sourceFileName, std::string title, BOOL fitImages);
    // Adapts the package's copy of a web page for the main frame: its
    // "_files" folder beside it, "window.name" neutralised, the transition.
    static void PrepareWebPage(std::string packageFolder, std::string lowerPagePath, std::string entryName,
                               std::string transition);
    // The same for a web archive, which only gets "window.name" replaced.
    static void PrepareWebArchive(std::string packageFolder, std::string entryName);
    // The page-entering tag of a transition name ("" for "Standard" and for
    // names it does not know).
    static std::string GetTransitionTag(std::string name);

    // ---- Whole-file edits of pages ------------------------------------------
    // Replaces every occurrence of find in the file and writes it back.
    static void ReplaceInFile(std::string path, std::string find, std::string replacement);
    // Inserts text right after the file's first "<head>" (any letter case);
    // a file without one is left alone.
    static void InsertAfterHead(std::string path, std::string text);

    // ---- File system ----------------------------------------------------------
    // Copies one file; the destination's own folder is created when missing.
    // TRUE when every byte was written.
    static BOOL CopyOneFile(std::string source, std::string destination);
    // Deletes the folder named by "<folder>\*.*" with everything in it.
    // FALSE when the folder does not exist. A file the system refuses to
    // delete raises CFileException.
    static BOOL DeleteTree(std::string pattern);
    // Copies the files below sourceFolder (pattern: "<folder>\*.*") to the
    // same places below destinationFolder. FALSE when the pattern matches
    // nothing.
    static BOOL CopyTree(std::string pattern, std::string sourceFolder, std::string destinationFolder);

    // ---- Viewing ----------------------------------------------------------
    // Extracts a package into the work folder and opens its start page.
    void OpenPackage(std::string packagePath);
    // The folder, relative to the work folder, that holds the package's
    // index.html; sets m_nPackageFormat.
    std::string GetPackageStartFolder(std::string packagePath);

    // ---- Members ---------------------------------------------------------------
    // The generation options (m_strTitle to m_bFitImages) are the
    // CPresentationOptions this object is; the engine starts with empty
    // interval and transition texts.
    int32_t m_nPackageFormat = 1;
    CStringList m_listTitles;
    CStringList m_listFiles;
    CStringList m_listGroups;
    CStringList m_listURLs;
    CStringList m_listThumbnails;
};

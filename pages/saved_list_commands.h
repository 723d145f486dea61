// Save List, Open List and the page state of both creation pages: a page's
// list and information fields go to a list file (*.flist), the path of the
// last list file saved or opened is remembered under the page's key of the
// program's settings file, and the page reloads that list whenever it is
// initialised.
#pragma once

#include <string>

#include "pages/creation_page_parts.h"

// The page values that travel in a list file with the list.
struct PageInformation {
    std::string& title;
    std::string& subtitle;
    std::string& date;
    std::string& author;
    std::string& autoSeconds;
    std::string& transition;
};

// The settings keys of the two pages.
extern const char kDocumentListKey[];
extern const char kPhotoListKey[];

class CSavedListCommands {
public:
    // thumbnails: the photo-album page's flag, ticked again at every restore;
    // nullptr on the document page.
    CSavedListCommands(const CreationPageParts& parts, const char* settingsKey, const PageInformation& information,
                       int* thumbnails = nullptr)
        : m_parts(parts), m_key(settingsKey), m_info(information), m_thumbnails(thumbnails) {}

    void OnSaveList();
    void OnOpenList();
    void RestorePageState();

private:
    // Asks for a list file in the Save or Open dialog; "" when cancelled.
    static std::string AskForListFile(bool open);
    void RememberListFile(const std::string& path);
    std::string RememberedListFile() const;
    void ShowListFilePath(const std::string& path);

    CreationPageParts m_parts;
    const char* m_key;
    PageInformation m_info;
    int* m_thumbnails;
};

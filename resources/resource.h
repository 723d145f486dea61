// Resource identifiers of ambrel.exe. Control numbers repeat between dialogs,
// so each name says which dialog it belongs to.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Strings and icons
#define IDS_SHEET_CAPTION 102
#define IDR_MAINFRAME 128

// Dialog templates
#define IDD_ADD_DOCUMENT 129
#define IDD_DOCUMENT_PAGE 141
#define IDD_ADD_URL 142
#define IDD_ADD_GROUP 143
#define IDD_VIEW_PAGE 144
#define IDD_PHOTO_PAGE 145
#define IDD_PROGRESS 146

// Controls shared by the three pages
#define IDC_HELP_BUTTON 1000

// Creation pages (141 and 145)
#define IDC_EDIT_ENTRY 1001
#define IDC_DELETE_ENTRY 1002
#define IDC_ADD_FILES 1003
#define IDC_ENTRY_LIST 1004
#define IDC_SAVE_LIST 1005
#define IDC_ADD_URL 1006
#define IDC_CLEAR_LIST 1007
#define IDC_SAVE_AS 1008
#define IDC_PAGE_TITLE 1009
#define IDC_PAGE_SUBTITLE 1010
#define IDC_PAGE_AUTHOR 1011
#define IDC_PAGE_DATE 1012
#define IDC_MOVE_UP 1014
#define IDC_ADD_GROUP 1016
#define IDC_MOVE_DOWN 1017
#define IDC_OPEN_LIST 1018
#define IDC_LIST_FILE_PATH 1019
#define IDC_AUTO_SECONDS 1020
#define IDC_TRANSITION 1021
#define IDC_THUMBNAILS 1023
#define IDC_FIT_IMAGES 1024
#define IDC_MUSIC 1025
#define IDC_MUSIC_FILE 1026
#define IDC_LOOP_MUSIC 1027

// Viewing page (144)
#define IDC_SELECT_DOCUMENT 1015

// Progress window (146); its Cancel button is IDCANCEL
#define IDC_PROGRESS_STEP 1030
#define IDC_PROGRESS_BAR 1031

// Entry dialogs (129, 142, 143)
#define IDC_ENTRY_TITLE 1002
#define IDC_SELECT_DOCUMENTS 1003
#define IDC_GROUP_TEXT 1004
#define IDC_CHOSEN_FILE 1005
#define IDC_URL 1014
#define IDC_TITLE_LABEL 1022

// Resource type of a template's initial control data (combo box items).
#define RT_DLGINIT_DATA 240
// The stored message that adds a combo box item.
#define DLGINIT_CB_ADDSTRING 0x0403

// Where things lie under the install root and the data folder. Every path is
// the folder text followed directly by one of these (the folders carry their
// own trailing backslash).
#pragma once

namespace layout {
// Under the install root.
constexpr char kFamilySettingsFile[] = "corvane\\res\\corvane.ini";
constexpr char kDocumentSplash[] = "corvane\\res\\utilities\\ambrel\\splash.exe";
constexpr char kPhotoSplash[] = "corvane\\res\\utilities\\ambrel\\glowcard.exe";
constexpr char kProgram[] = "corvane\\res\\utilities\\ambrel\\ambrel.exe";
constexpr char kReadme[] = "corvane\\res\\utilities\\ambrel\\readme.html";
constexpr char kPhotoReadme[] = "corvane\\res\\utilities\\ambrel\\snapvalereadme.html";
constexpr char kArchiver[] = "corvane\\res\\utilities\\ambrel\\arch.exe";
constexpr char kTemplateFolder[] = "corvane\\res\\utilities\\ambrel\\template";
constexpr char kPhotoTemplate[] = "corvane\\res\\utilities\\ambrel\\template\\resources\\photo.html";
// The page that plays a Flash movie and the player it plays it with, beside
// the template: only packages with a movie carry the player.
constexpr char kFlashPageTemplate[] = "corvane\\res\\utilities\\ambrel\\flash\\flash.html";
constexpr char kFlashPlayerFolder[] = "corvane\\res\\utilities\\ambrel\\flash\\ruffle";
// The player's folder inside a package's resources folder, as the movie
// pages name it.
constexpr char kPackagePlayerFolder[] = "ruffle";

// Under the data folder.
constexpr char kFamilyFolder[] = "corvane";
constexpr char kProgramFolder[] = "ambrel";
constexpr char kWorkFolder[] = "ambrel\\temp\\";
constexpr char kProgramSettingsFile[] = "ambrel\\ambrel.ini";

// Settings.
constexpr char kParametersSection[] = "Parameters";
constexpr char kDataFolderKey[] = "Data Folder";
constexpr char kDefaultInstallRoot[] = "c:\\";
} // namespace layout

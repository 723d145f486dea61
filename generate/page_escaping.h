// Texts from the list and the options, in the form each place of a generated
// page needs them, so that they show as typed, lead where they name and never
// become markup or script. Every text the generation writes into a page goes
// through one of these. Portable.
//
// The texts are in the ANSI code page, and so are the pages (see
// page_charset.h): letters outside ASCII pass through as they are. Every
// character these functions change is ASCII below 0x40, which is never the
// second byte of a double-byte character, except the backslash, which is
// only escaped where it is a character of its own.
#pragma once

#include <string>

// Text of an element or the value of a quoted attribute: "&", "<", ">", '"'
// and "'" as character references.
std::string HtmlEscaped(const std::string& text);

// The inside of a double-quoted string of a script element: the quotes, the
// backslash and "<" (which could end the element) escaped, and control
// characters as \xNN.
std::string ScriptStringEscaped(const std::string& text);

// A file name of the package's resources folder as a relative URL that
// names exactly that file: "%", "#", "?", ":", '"' and control characters
// percent-encoded. Blanks and other letters stay; browsers read them as they
// are.
std::string FileNameUrl(const std::string& fileName);

// A live address as typed, as the browser's own address parser reads it:
// tabs and line breaks removed, other control characters percent-encoded,
// everything else as typed.
std::string LiveAddressUrl(const std::string& address);

// True for an address whose scheme runs a script or carries a page of its
// own instead of naming one (javascript:, vbscript:, data:), read the way
// browsers read a scheme: in any case, after leading blanks and control
// characters, with tabs and line breaks ignored.
bool IsScriptAddress(const std::string& address);

// Bytes in base64 (RFC 4648): a file as a script holds it, for pages that
// may load scripts but fetch no file.
std::string Base64(const std::string& bytes);

// The interval of automatic stepping as written before "000" in the
// stepping script, where it stands as a number: only letters, digits,
// points, commas and blanks are kept, so that no text can end the
// expression and run a script of its own.
std::string IntervalForScript(const std::string& seconds);

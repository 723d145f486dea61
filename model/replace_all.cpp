#include "model/replace_all.h"

#include "framework/ansi_text.h"

int ReplaceAll(std::string& text, const std::string& oldText, const std::string& newText)
{
    if (oldText.empty()) return 0;
    std::string::size_type pos = AnsiFind(text, oldText, 0);
    if (pos == std::string::npos) return 0;

    std::string result;
    int count = 0;
    std::string::size_type copied = 0;
    while (pos != std::string::npos) {
        result.append(text, copied, pos - copied);
        result += newText;
        copied = pos + oldText.size();
        ++count;
        pos = AnsiFind(text, oldText, copied);
    }
    result.append(text, copied, std::string::npos);
    text.swap(result);
    return count;
}

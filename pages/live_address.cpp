#include "pages/live_address.h"

#include "shell/ansi_text.h"

std::string CompleteLiveAddress(const std::string& typed)
{
    if (AnsiLower(typed).compare(0, 4, "www.") == 0) return "http://" + typed;
    return typed;
}

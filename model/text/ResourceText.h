// Text items of the language module by number and type: the string table, HTML templates and help texts.
#pragma once

#include <cstdint>
#include <string>

// Resource types as callers name them. The numbered types keep the numbers the program has always
// passed; the named types get numbers of their own outside that range.
enum ResourceType : int
{
    RES_TYPE_BITMAP = 2,     // pictures: bitmaps/<id>.png
    RES_TYPE_STRING = 6,     // the text table
    RES_TYPE_HTML = 23,      // HTML templates: html/<id>.html
    RES_TYPE_HTML_PAGE = 50, // HTML pages addressed like templates: html/<id>.html
    RES_TYPE_TEXT = 0x10001, // the named type "TEXT" (report templates): html/<id>.html
    RES_TYPE_HELP = 0x10002, // help texts, HTML: help/<id>.html
    RES_TYPE_PNG = 0x10003,  // the named type "PNG": bitmaps/<id>.png
};

// Loads item `id` of `type` from the current language module into `out` (UTF-8; the bytes as stored for
// templates and help texts). Answers false and leaves `out` empty when the module has no such item.
bool LoadResourceText(std::string& out, std::uint32_t id, int type);

// The weights tool tips of the template picture: tool 1..4 is the front and rear axle group of the front
// vehicle, then of the trailer.
#pragma once

#include <QString>

#include <string>

class CQOR1Doc;

class CGewichtsTip
{
public:
    // The weights table of the tool with its title; empty without a vehicle to describe.
    static std::string Text(CQOR1Doc* pDoc, int nTool, std::string* pTitel);
    // The tool tip as rich text: bold title line and the table in a fixed-pitch block.
    static QString Html(CQOR1Doc* pDoc, int nTool);
};

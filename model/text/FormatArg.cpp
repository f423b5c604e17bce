// One typed argument of the checked printf-style formatter.
#include "model/text/FormatArg.h"

#include <cstdio>

std::string FormatArg::Plain() const
{
    switch (m_kind) {
    case Kind::Int:
        return std::to_string(m_int);
    case Kind::Double: {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%g", m_double);
        return buf;
    }
    case Kind::String:
        break;
    }
    return m_text;
}

// The built-in texts of the Chinese activities, compiled into the program: the
// resources "chinese/jzw.txt" (brain teasers), "chinese/cmy.txt" (riddles),
// "chinese/xhy.txt" (two-part sayings), "chinese/rkl.txt" and "chinese/rkl_intro.txt"
// (tongue twisters and their introduction) and "chinese/cy.txt" (idioms), copied
// from content/chinese.
#include "tools/gendata/Generator.h"

namespace gendata {
namespace {

void makeChineseTables(Output& out) {
    for (const char* name : {"jzw", "cmy", "xhy", "rkl", "rkl_intro", "cy"}) {
        const QString file = QString::fromLatin1(name) + QStringLiteral(".txt");
        out.writeResource(QStringLiteral("chinese/") + file,
                          out.content(QStringLiteral("chinese/") + file));
    }
}

const RegisterStep step{"chinesetables", &makeChineseTables};

} // namespace
} // namespace gendata

#include "widgets/storabletext.h"

#include "platform/ansi.h"
#include "platform/prompter.h"
#include "widgets/language.h"

bool checkstorable(const QString &text)
{
    if (ansi::encodable(text))
        return true;
    trans_messagebox(ansi::unstorablemessage, {ansi::unstorablechars(text)}, QStringLiteral("Error"),
                     mb::iconerror);
    return false;
}

// A screen text read into its parts, as real software's texts have them: each part as
// "kind:text", with "=key" where what it stands for differs from how it is written.
#include "ChangedWords.h"
#include "ScreenText.h"

#include "QtPrint.h"

#include <gtest/gtest.h>

namespace {

QString partsOf(const QString& text)
{
    const ScreenText read(text);
    QStringList parts;
    for (const TextPart& part : read.parts()) {
        QString shown = QString("WKPATN").at(part.kind) + u':' + read.textOf(part).toString();
        if (read.keyOf(part) != read.textOf(part) && part.kind != TextPart::AccessKey)
            shown += u'=' + read.keyOf(part);
        parts << shown;
    }
    return parts.join(u' ');
}

} // namespace

TEST(ScreenText, ReadsWordsKeysPlaceholdersAddressesTagsAndNumbers)
{
    const struct {
        const char* text;
        const char* parts;
    } cases[] = {
        {"Be&werken && &Opslaan", "W:Be&werken=Bewerken K:& K:& W:&Opslaan=Opslaan"},
        {"&&y", "W:y"},
        {"Audio Creation & Editing", "W:Audio W:Creation W:Editing"},
        {"foto's e-mail Geïnstalleerd beëindigen",
         "W:foto's W:e-mail W:Geïnstalleerd W:beëindigen"},
        {"%s%s argument '%s' too large", "P:%s=1$s P:%s=2$s W:argument P:%s=3$s W:too W:large"},
        {"argument '%3$s' van %1$s%2$s", "W:argument P:%3$s=3$s W:van P:%1$s=1$s P:%2$s=2$s"},
        {"%-5.2lf %L1 %10 {0} 50% off %%", "P:%-5.2lf=1$-5.2lf P:%L1 P:%10 P:{0} N:50%=50 W:off"},
        {"the %n/%Ln marker", "W:the P:%n P:%Ln W:marker"},
        {"between -5 and 2,5, 2.5° or 1-5", "W:between N:-5 W:and N:2,5=2.5 N:2.5°=2.5 W:or "
                                            "N:1 N:5"},
        {"UTF-8 MP3", "W:UTF-8 N:8 W:MP3 N:3"},
        {"<control-file> is <b>the</b> <qt><br/><a href=\"x\">file",
         "W:control-file W:is T:<b> W:the T:</b> T:<qt> T:<br/> T:<a href=\"x\"> W:file"},
        {"<name> and <i>x</i>", "W:name W:and T:<i> W:x T:</i>"},
        {"See https://x.org/a?b=1&c=2 or a@b.nl", "W:See A:https://x.org/a?b=1&c=2 W:or A:a@b.nl"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(partsOf(QString::fromUtf8(c.text)), QString::fromUtf8(c.parts)) << c.text;
}

TEST(ScreenText, WithoutAccessKeysAnAmpersandStaysOne)
{
    EXPECT_EQ(withoutAccessKeys("Be&werken && &Opslaan & meer, &&&x, &&y"),
              "Bewerken & Opslaan & meer, &x, &y");
}

TEST(ChangedWords, WhatEachTextLacksOfTheOtherIsBold)
{
    const struct {
        const char *before, *after, *markedBefore, *markedAfter;
    } cases[] = {
        {"Open the file", "Open the file", "Open the file", "Open the file"},
        {"Open the file", "Open a file", "Open <b>the</b> file", "Open <b>a</b> file"},
        {"Save %1 files?", "Save %2 files!", "Save <b>%1</b> files<b>?</b>",
         "Save <b>%2</b> files<b>!</b>"},
        {"Close", "Close all windows now", "Close", "Close <b>all</b> <b>windows</b> <b>now</b>"},
        {"a b c d", "b d a", "<b>a</b> b <b>c</b> d", "b d <b>a</b>"},
        {"&File <tag>", "F&ile <tag>", "<b>&amp;File</b> &lt;tag&gt;",
         "<b>F&amp;ile</b> &lt;tag&gt;"},
        {"", "New", "", "<b>New</b>"},
    };
    for (const auto& c : cases) {
        const MarkedTexts marked = markChangedWords(c.before, c.after);
        EXPECT_EQ(marked.before, c.markedBefore) << c.before;
        EXPECT_EQ(marked.after, c.markedAfter) << c.after;
    }
}

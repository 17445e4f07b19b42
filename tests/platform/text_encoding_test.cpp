#include "platform/text_encoding.h"

#include <gtest/gtest.h>

using namespace zm;

TEST(TextEncoding, EveryByteSurvivesARoundTrip) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
}

TEST(TextEncoding, FrenchCharactersHaveTheirWindowsCodes) {
    struct Case {
        char16_t unicode;
        int code;
    };
    for (const Case& c :
         {Case{u'A', 65}, Case{u'é', 0xE9}, Case{u'è', 0xE8}, Case{u'ç', 0xE7}, Case{u'Ê', 0xCA},
          Case{u'€', 0x80}, Case{u'œ', 0x9C}, Case{u'’', 0x92}, Case{u'«', 0xAB}}) {
        SCOPED_TRACE(int(c.unicode));
        EXPECT_EQ(windows1252Code(QChar(c.unicode)), c.code);
        EXPECT_EQ(fromWindows1252Code(uchar(c.code)), QChar(c.unicode));
    }
}

TEST(TextEncoding, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(windows1252Code(QChar(u'ł')), -1);
    EXPECT_EQ(toWindows1252(QStringLiteral("Łódź")), QByteArray("?\xF3"
                                                                "d?"));
}

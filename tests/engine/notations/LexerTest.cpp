// The reader's one pass: which tokens a text becomes, with their spans.
#include "Lexer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelv {
namespace {

// The tokens of a text, each as "kind:text", numbers with their places.
std::vector<std::string> tokensOf(std::string_view text)
{
    static const char* const names[] = {"num", "deg", "min", "sec", "word", "sign", "part", "sep",
                                        "br",  "tpl", "link", "other"};
    std::vector<std::string> out;
    TokenWindow w(text);
    for (const Token* t = w.at(0); t; w.advance(1), t = w.at(0)) {
        std::string s = std::string(names[static_cast<int>(t->kind)]) + ":"
                        + std::string(text.substr(t->begin, t->end - t->begin));
        if (t->kind == TokenKind::Number) {
            s += "/" + std::to_string(t->places);
            if (t->hidden)
                s += "/hidden";
        }
        out.push_back(s);
    }
    return out;
}

using Tokens = std::vector<std::string>;

TEST(Lexer, NumbersWithTheirDecimalMarks)
{
    EXPECT_EQ(tokensOf("50,41484,10,76943"), (Tokens{"num:50,41484/5", "sep:,", "num:10,76943/5"}))
        << "a comma after a number with decimals separates";
    EXPECT_EQ(tokensOf("1,2,3"), (Tokens{"num:1,2/1", "sep:,", "num:3/0"}));
    EXPECT_EQ(tokensOf("54, 21"), (Tokens{"num:54/0", "sep:,", "num:21/0"}));
    EXPECT_EQ(tokensOf("54.86666666666721.1"), (Tokens{"num:54.866666666667/12/hidden", "num:21.1/1/hidden"}))
        << "Wikipedia's hidden decimals glued";
    EXPECT_EQ(tokensOf("51.06.36,5N"), (Tokens{"num:51/0", "part:.", "num:06/0", "part:.", "num:36,5/1", "word:N"}))
        << "a dotted angle";
    EXPECT_EQ(tokensOf("12.03.2024"), (Tokens{"num:12.03/2", "other:.", "num:2024/0"})) << "a date is none";
    EXPECT_EQ(tokensOf("51-06.608N"), (Tokens{"num:51/0", "part:-", "num:06.608/3", "word:N"}));
    EXPECT_EQ(tokensOf("-33.9 - 18"), (Tokens{"sign:-", "num:33.9/1", "sep:-", "num:18/0"}));
}

TEST(Lexer, MarksWordsAndLinks)
{
    EXPECT_EQ(tokensOf("54°02′17″"), (Tokens{"num:54/0", "deg:°", "num:02/0", "min:′", "num:17/0", "sec:″"}));
    EXPECT_EQ(tokensOf("40‘’"), (Tokens{"num:40/0", "sec:‘’"})) << "two minute marks of any kind";
    EXPECT_EQ(tokensOf("21°E"), (Tokens{"num:21/0", "deg:°", "word:E"}));
    EXPECT_EQ(tokensOf("22° 12′ OKoordinaten:"), (Tokens{"num:22/0", "deg:°", "num:12/0", "min:′", "word:O",
                                                         "word:Koordinaten", "sep::"}))
        << "a compass letter glued to a label";
    EXPECT_EQ(tokensOf("с. ш. 21"), (Tokens{"word:с. ш.", "num:21/0"})) << "an abbreviation of two parts";
    EXPECT_EQ(tokensOf("see https://x.org/?q=52.5,13.4 now"),
              (Tokens{"word:see", "link:https://x.org/?q=52.5,13.4", "word:now"}));
    EXPECT_EQ(tokensOf("{{coord|54}}")[0], "tpl:{{");
}

TEST(Lexer, ProseFarFromNumbersIsPassedOver)
{
    const std::string prose(2000, 'x');
    const std::string text = "54° " + prose + " N 21°";
    const Tokens tokens = tokensOf(text);
    // The number, its mark, the word after it, one token for the prose, and
    // the words before the last number.
    ASSERT_GE(tokens.size(), 5u);
    EXPECT_EQ(tokens.front(), "num:54/0");
    EXPECT_EQ(tokens.back(), "deg:°");
    EXPECT_LT(tokens.size(), 10u);
    EXPECT_EQ(tokens[tokens.size() - 3], "word:N");
}

} // namespace
} // namespace zelv

#include "main/FieldValidator.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

TEST(FieldValidator, TypedOrPastedTextKeepsItsFirstLineAndWholeCharactersUpToTheLimit)
{
    const QString emoji = QString::fromUtf8("😀");
    const struct {
        bool UpperCase;
        QString Before;
        int Cursor;
        QString Pasted;  // empty: Typed instead
        const char* Typed;
        QString After;
    } cases[] = {
        {true, "", 0, {}, "acg", "ACG"},
        {true, "", 0, {}, "straßeäöx1-", "STRAßEÄÖX1"},  // "ß" has no one-letter upper case
        {true, "", 0, QString::fromUtf8("ßéa") + emoji.repeated(10), "", QString::fromUtf8("ßÉA") + emoji.repeated(7)},
        {false, "12345678", 8, emoji.repeated(3), "", "12345678" + emoji.repeated(2)},
        {false, "", 0, "123456789012", "", "1234567890"},
        {false, "", 0, "12\n34", "", "12"},
        {false, "", 0, "5\r\n6", "", "5"},
        {false, "", 0, QString("7") + QChar::Null + "8", "", "7"},
        {false, "AB", 1, "x\ny", "", "AxB"},
        {false, "", 0, "5\t3", "", "5\t3"},  // a tab is no line break
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.Before + " + " + (c.Pasted.isEmpty() ? QString::fromUtf8(c.Typed) : c.Pasted)).toStdString());
        QLineEdit edit(c.Before);
        new TFieldValidator(&edit, 10, c.UpperCase);
        edit.setCursorPosition(c.Cursor);
        if (c.Pasted.isEmpty()) {
            for (QChar typed : QString::fromUtf8(c.Typed))
                edit.insert(typed);  // what a key press inserts
        } else {
            QGuiApplication::clipboard()->setText(c.Pasted);
            edit.paste();
        }
        EXPECT_EQ(edit.text(), c.After);
    }
}

}  // namespace

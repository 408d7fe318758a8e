#include "main/FieldValidator.h"

#include "app/GeneText.h"

#include <QLineEdit>
#include <algorithm>

namespace {

bool EndsLine(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::Null || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

qsizetype Characters(QStringView text)
{
    return static_cast<qsizetype>(text.toUcs4().size());
}

// The first `count` characters of the text.
QStringView Leading(QStringView text, qsizetype count)
{
    qsizetype end = 0;
    for (; end < text.size() && count > 0; --count)
        end += text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate() ? 2 : 1;
    return text.first(end);
}

}  // namespace

TFieldValidator::TFieldValidator(QLineEdit* edit, int maxCharacters, bool upperCase)
    : QValidator(edit), FBefore(edit->text()), FMaxCharacters(maxCharacters), FUpperCase(upperCase)
{
    // The field's own limit counts UTF-16 units: the characters are counted here instead.
    edit->setMaxLength(32767);
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { FBefore = text; });
    edit->setValidator(this);
}

QValidator::State TFieldValidator::validate(QString& input, int& pos) const
{
    // The change inserted what lies between the unchanged start and the unchanged end.
    const QStringView now(input);
    const qsizetype shorter = std::min(now.size(), FBefore.size());
    qsizetype head = 0;
    while (head < shorter && now[head] == FBefore[head])
        ++head;
    if (head > 0 && now[head - 1].isHighSurrogate())
        --head;
    qsizetype tail = 0;
    while (tail < shorter - head && now[now.size() - 1 - tail] == FBefore[FBefore.size() - 1 - tail])
        ++tail;
    if (tail > 0 && now[now.size() - tail].isLowSurrogate())
        --tail;
    QStringView inserted = now.sliced(head, now.size() - head - tail);
    inserted = inserted.first(std::find_if(inserted.begin(), inserted.end(), EndsLine) - inserted.begin());
    const QStringView start = now.first(head);
    const QStringView end = now.last(tail);
    inserted = Leading(inserted, std::max<qsizetype>(0, FMaxCharacters - Characters(start) - Characters(end)));

    QString result = start.toString() + inserted.toString() + end.toString();
    if (FUpperCase)
        result = QString::fromStdU32String(UpperCaseGene(result.toStdU32String()));
    pos = static_cast<int>(std::min(head + inserted.size(), result.size()));
    input = result;
    return Acceptable;
}

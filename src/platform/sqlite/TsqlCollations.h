#pragma once
// Comparisons the suite's server makes and SQLite does not: texts equal without regard to case or
// trailing blanks, dates compared as dates whether written ISO or day/month/year, and LIKE with the same
// case rule and [...] classes. Pure functions over UTF-8 bytes, registered on connections by Install.

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

namespace sqlcompat {

// <0, 0, >0. Case folded (Unicode, so 'Ñ' = 'ñ', 'Á' = 'á'; accents still count), trailing blanks ignored.
int CompareText(QByteArrayView a, QByteArrayView b);

// The form dates are compared in, 'yyyy-mm-dd hh:mm:ss[.f]', for 'yyyy-mm-dd', 'yyyy/mm/dd', 'yyyymmdd' and
// 'd/m/yy[yy]' (also 'd-m-yyyy', 'd.m.yyyy'; two-digit years 00-49 are 20xx), each optionally followed
// by ' ' or 'T' and 'h:mm[:ss[.f]][ AM|PM]'; any other text as itself without leading or trailing blanks.
QByteArray DateKey(QByteArrayView text);

// <0, 0, >0 on DateKey of both sides.
int CompareDates(QByteArrayView a, QByteArrayView b);

// T-SQL LIKE: % any run, _ one character, [abc] [a-f] [^a] classes, optional escape character;
// case folded as CompareText.
bool LikeMatch(QStringView text, QStringView pattern, QChar escape = QChar());

} // namespace sqlcompat

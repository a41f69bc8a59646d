#pragma once

#include "ansistring.h"

// Characters of a CP932 string: a lead byte and the byte after it are one character,
// every other byte is one. These belong to unit gtlabel; gtlabel.h includes them.

// The number of characters of S; a lead byte that ends S counts as one. 0 for "".
int CharCount(const AnsiString &S);

// Characters Index to Index + Count - 1 of S, numbered from 1. The walk copies before
// it tests, so an Index of 1 or less copies the first character even for Count below
// 1. A lead byte that ends S is copied with the zero byte that follows the string's
// data. "" for "".
AnsiString CharCopy(const AnsiString &S, int Index, int Count);

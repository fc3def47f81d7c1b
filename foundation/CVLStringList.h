#pragma once

#include "CVLString.h"
#include "LArray.h"

// Owning list of heap CVLString objects, 1-based. The list deletes its strings.
class CVLStringList : public LArray
{
public:
    CVLStringList();
    // Deep copy.
    CVLStringList(const CVLStringList& other);
    CVLStringList& operator=(const CVLStringList& other);
    ~CVLStringList() override;

    // Copies the text into a new string inserted before index (0, kAppendIndex or past the end append).
    bool AddStringToList(const char* text, unsigned index = kAppendIndex);
    bool AddStringToList(const unsigned char* utf8, unsigned index = kAppendIndex);
    bool AddStringToList(const CVLString& text, unsigned index = kAppendIndex);
    bool AddStringToList(const QString& text, unsigned index = kAppendIndex);
    // Takes ownership of text (false and nothing taken for null).
    bool AddStringToList(CVLString* text, unsigned index = kAppendIndex);
    // Appends copies of every string of other.
    bool AddStringListToList(const CVLStringList& other);

    // Null when out of range; the string stays owned by the list.
    const CVLString* GetStringAt(unsigned index) const;
    CVLString* GetNonConstStringAt(unsigned index);
    // A copy; empty when out of range.
    CVLString GetStringCopyAt(unsigned index) const;
    // First match from index 1, compared as CVLString::Compare does.
    bool IsStringInList(const CVLString& text, bool ignoreCase = false, unsigned* index = nullptr) const;
    // Deletes the first match. False when absent.
    bool DeleteString(const CVLString& text, bool ignoreCase = false);
    bool DeleteStringAt(unsigned index);
    void EmptyListAndDeleteContents();
    // Makes target a deep copy of this list (target's strings are deleted first).
    void Clone(CVLStringList& target) const;
    // Joins the strings with separator into out (out is replaced).
    void MakeStringFromElements(CVLString& out, const char* separator = "\n") const;
    // Joins the strings with ", " into out (out is replaced).
    void MakeCommaStringFromElements(CVLString& out) const;
    // Empties the list, then adds the non-empty pieces of text between any of the delimiter bytes.
    // Returns the number of strings added.
    unsigned FillListFromDelimetedString(const CVLString& text, const char* delimiters);
    // Byte order of the UTF-8 texts.
    void SortAscending();
    void SortDescending();
};

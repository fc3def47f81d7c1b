#pragma once

#include "CVLFile.h"

#include <memory>

// A temporary file. One made by CreateCVLTempFile owns its file and removes it when destroyed
// (a failed removal only stores the error text).
class CVLTempFile : public CVLFile
{
public:
    CVLTempFile();
    explicit CVLTempFile(const CVLString& name);
    ~CVLTempFile() override;

    // Removes an owned file, then adopts name without owning it.
    void Initialize(const CVLString& name) override;
    bool CreateTempFile(const CVLString& directory) override;
    bool CreateTempFile(const CVLString* directory = nullptr) override;
    bool IsMemFile() const override;
    bool IsSubFile() const override;
    bool CreateFromMemFile(CVLMemFile& source, unsigned* crc = nullptr) override;
    bool CreateFromFile(CVLFile& source, unsigned* crc = nullptr) override;

    bool OwnsFile() const { return m_OwnsFile; }
    // Closes and removes an owned file; clears ownership.
    void RemoveCreatedTempFileIfNeeded();

    // A new, empty temporary file in /tmp owned by the returned object; empty on failure,
    // with the reason in error (may be null).
    static std::unique_ptr<CVLTempFile> CreateCVLTempFile(CVLString* error = nullptr);
    // Creates an empty temporary file, returns its name and leaves it on disk for the caller.
    static bool GenerateTempFile(CVLString& name, CVLString* error = nullptr);

private:
    bool m_OwnsFile = false;
};

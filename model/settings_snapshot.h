#pragma once

#include "model/settings_record.h"

namespace volantra {

// The settings as last loaded or applied, so Cancel can undo the edits made since.
class SettingsSnapshot
{
public:
    void take(const SettingsRecord& record) { m_record = record; }
    void restoreInto(SettingsRecord& record) const { record = m_record; }
    // True when the record holds no edits since the snapshot.
    bool matches(const SettingsRecord& record) const { return m_record == record; }

private:
    SettingsRecord m_record;
};

} // namespace volantra

#pragma once

#include "model/settings_record.h"

#include <array>
#include <string>

namespace volantra {

// The labels the eight button boxes show, "Button 1" to "Button 8" (the item names of the
// profile INI).
using ButtonLabels = std::array<std::string, SettingsRecord::kButtonCount>;

// The settings and the button labels as last loaded or applied. Cancel restores both: a
// label belongs to the function its button holds, so restoring the record without the
// labels would show choices the record no longer holds.
class AssignmentSnapshot
{
public:
    void take(const SettingsRecord& record, const ButtonLabels& labels)
    {
        m_record = record;
        m_labels = labels;
    }
    void restoreInto(SettingsRecord& record, ButtonLabels& labels) const
    {
        record = m_record;
        labels = m_labels;
    }
    // True when neither holds an edit since the snapshot.
    bool matches(const SettingsRecord& record, const ButtonLabels& labels) const
    {
        return m_record == record && m_labels == labels;
    }

private:
    SettingsRecord m_record;
    ButtonLabels m_labels;
};

} // namespace volantra

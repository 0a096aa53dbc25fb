// The view's editing modes: the buttons that modify, add, clone and delete rules, prefixes, prefix
// groups and tariffs in the configuration, keeping rule order, indexes and pictures consistent.
#include "valuxaview.h"

#include "cardimagelist.h"
#include "prefixdlgs.h"
#include "prefixgroupuse.h"
#include "ratinglist.h"
#include "ruledlg.h"
#include "ruleordering.h"
#include "rulecard.h"
#include "stringtable.h"
#include "tariffcard.h"
#include "tariffdlg.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

constexpr unsigned kProgramNameText = 1003;
constexpr unsigned kDeleteRuleQuestion = 1145;
constexpr unsigned kDeletePrefixQuestion = 1155;
constexpr unsigned kDeleteGroupQuestion = 1162;
constexpr unsigned kGroupInUseText = 1161;
constexpr unsigned kStatisticsName = 3223;  // "Statistiche": the call types' quoted owner
constexpr unsigned kDeleteTariffQuestion = 1092;
constexpr unsigned kTariffInUseText = 1091;
constexpr unsigned kPulseTariffKeptText = 1152;
constexpr unsigned kGenericTariffKeptText = 1113;
constexpr unsigned kClonedWord = 1086;
constexpr qsizetype kLongestTariffName = TariffRecord::kNameWidth - 1;

QString Quoted(unsigned text, const QString& name)
{
    return LoadResString(text) + QStringLiteral(" '") + name + u'\'';
}

}  // namespace

bool CValuxaView::RunEditorCommand(int command)
{
    if (m_mode != kRulesMode && m_mode != kPrefixesMode && m_mode != kTariffsMode)
        return false;
    if (IsProtected())
        return true;  // the buttons are off: nothing edits a protected configuration
    if (m_mode == kRulesMode) {
        switch (command) {
        case kModifyItemCommand:
            ModifyRule();
            break;
        case kAddCloneOrDeleteItemCommand:
            NewRule();
            break;
        case kComputeCommand:
            DeleteRule();
            break;
        default:
            break;
        }
    } else if (m_mode == kPrefixesMode) {
        switch (command) {
        case kModifyItemCommand:
            ModifyOrAddPrefix();
            break;
        case kAddCloneOrDeleteItemCommand:
            DeletePrefix();
            break;
        case kComputeCommand:
            NewPrefixGroup();
            break;
        case kDeleteItemCommand:
            DeletePrefixGroup();
            break;
        case kCloseAccountCommand:
            RenamePrefixGroup();
            break;
        default:
            break;
        }
    } else {
        switch (command) {
        case kModifyItemCommand:
            ModifyTariff();
            break;
        case kAddCloneOrDeleteItemCommand:
            CloneTariff();
            break;
        case kComputeCommand:
            NewTariff();
            break;
        case kDeleteItemCommand:
            DeleteTariff();
            break;
        default:
            break;
        }
    }
    return true;
}

bool CValuxaView::AskDeletion(unsigned text, const QString& name)
{
    return QMessageBox::warning(this, LoadResString(kProgramNameText), Quoted(text, name),
                                QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void CValuxaView::Refuse(unsigned text, const QString& name)
{
    QMessageBox::critical(this, LoadResString(kProgramNameText),
                          name.isNull() ? LoadResString(text) : Quoted(text, name));
}

void CValuxaView::RedrawRulePictures(int from)
{
    const RuleTable& rules = m_configuration.rules;
    for (int rule = std::max(0, from); rule < rules.Count(); ++rule)
        DrawRuleCard(m_rulePictures, rule, rules.rules[static_cast<std::size_t>(rule)], m_configuration.prefixGroups,
                     m_configuration.tariffs);
}

void CValuxaView::RedrawTariffPictures(int from, int to)
{
    const TariffTable& tariffs = m_configuration.tariffs;
    for (int tariff = std::max(0, from); tariff < std::min(to, tariffs.Count()); ++tariff)
        DrawTariffCard(m_tariffPictures, tariff, tariffs.tariffs[static_cast<std::size_t>(tariff)],
                       m_configuration.variations.values[static_cast<std::size_t>(tariff)]);
}

// --- Rules ---

void CValuxaView::StoreEditedRule(const RatingRule& rule)
{
    const std::uint16_t index = InsertRuleOrdered(rule, m_configuration.rules, m_configuration.prefixGroups);
    if (index != kNoRule)
        m_selectedRule = index;
    RedrawRulePictures();
    RebuildWith(kRulesMode, m_selectedRule, 0);
}

void CValuxaView::ModifyRule()
{
    RuleTable& rules = m_configuration.rules;
    if (m_selectedRule >= rules.Count())
        return;
    CRuleDlg dialog(&rules.rules[m_selectedRule], m_configuration.tariffs, m_configuration.prefixGroups, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    rules.rules.erase(rules.rules.begin() + m_selectedRule);
    StoreEditedRule(dialog.Rule());
}

void CValuxaView::NewRule()
{
    if (m_configuration.rules.Count() >= RuleTable::kMaxRules)
        return;
    CRuleDlg dialog(nullptr, m_configuration.tariffs, m_configuration.prefixGroups, this);
    if (dialog.exec() == QDialog::Accepted)
        StoreEditedRule(dialog.Rule());
}

void CValuxaView::DeleteRule()
{
    RuleTable& rules = m_configuration.rules;
    if (m_selectedRule >= rules.Count() ||
        !AskDeletion(kDeleteRuleQuestion, rules.rules[m_selectedRule].name))
        return;
    rules.rules.erase(rules.rules.begin() + m_selectedRule);
    if (m_selectedRule > 0)
        --m_selectedRule;
    RedrawRulePictures(m_selectedRule);
    RebuildWith(kRulesMode, m_selectedRule, 0);
}

// --- Prefixes and prefix groups ---

void CValuxaView::ModifyOrAddPrefix()
{
    PrefixGroupTable& groups = m_configuration.prefixGroups;
    const int row = m_list->SelectedRow();
    if (row < 0 || m_selectedPrefixGroup >= groups.Count())
        return;
    PrefixGroup& group = groups.groups[m_selectedPrefixGroup];
    const int prefix = m_list->RowData(row);
    CPrefixDlg dialog(this);
    const bool existing = prefix >= 0 && prefix < group.Count();
    if (!existing && group.Count() >= PrefixGroup::kMaxEntries)
        return;
    if (existing)
        dialog.SetPrefix(group.entries[static_cast<std::size_t>(prefix)].label,
                         group.entries[static_cast<std::size_t>(prefix)].number);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const PrefixEntry entry{dialog.Number(), dialog.Label()};
    if (existing)
        group.entries[static_cast<std::size_t>(prefix)] = entry;
    else
        group.entries.push_back(entry);
    // Another prefix can change which rule catches which numbers.
    SortRuleTable(m_configuration.rules, groups);
    RedrawRulePictures();
    RebuildWith(kPrefixesMode, m_selectedPrefixGroup, 0);
}

void CValuxaView::DeletePrefix()
{
    PrefixGroupTable& groups = m_configuration.prefixGroups;
    const int row = m_list->SelectedRow();
    if (row < 0 || m_selectedPrefixGroup >= groups.Count())
        return;
    PrefixGroup& group = groups.groups[m_selectedPrefixGroup];
    const int prefix = m_list->RowData(row);
    if (prefix < 0 || prefix >= group.Count() ||
        !AskDeletion(kDeletePrefixQuestion, group.entries[static_cast<std::size_t>(prefix)].label))
        return;
    group.entries.erase(group.entries.begin() + prefix);
    SortRuleTable(m_configuration.rules, groups);
    RedrawRulePictures();
    RebuildWith(kPrefixesMode, m_selectedPrefixGroup, 0);
}

void CValuxaView::NewPrefixGroup()
{
    PrefixGroupTable& groups = m_configuration.prefixGroups;
    if (groups.Count() >= PrefixGroupTable::kMaxGroups)
        return;
    CPrefixGroupDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrefixGroup group;
    group.name = dialog.GroupLabel();
    group.entries.push_back({dialog.PrefixNumber(), dialog.PrefixLabel()});
    groups.groups.push_back(std::move(group));
    m_selectedPrefixGroup = static_cast<std::uint16_t>(groups.Count() - 1);
    RebuildWith(kPrefixesMode, m_selectedPrefixGroup, 0);
}

void CValuxaView::RenamePrefixGroup()
{
    PrefixGroupTable& groups = m_configuration.prefixGroups;
    if (m_selectedPrefixGroup >= groups.Count())
        return;
    CPrefixGroupLabelDlg dialog(this);
    dialog.SetGroupLabel(groups.groups[m_selectedPrefixGroup].name);
    if (dialog.exec() != QDialog::Accepted)
        return;
    groups.groups[m_selectedPrefixGroup].name = dialog.GroupLabel();
    RebuildWith(kPrefixesMode, m_selectedPrefixGroup, 0);
    RedrawRulePictures();  // the pictures name the groups
}

void CValuxaView::DeletePrefixGroup()
{
    PrefixGroupTable& groups = m_configuration.prefixGroups;
    const int deleted = m_selectedPrefixGroup;
    if (deleted >= groups.Count())
        return;
    if (const int rule = FindPrefixGroupUse(m_configuration.rules, deleted); rule >= 0) {
        Refuse(kGroupInUseText, m_configuration.rules.rules[static_cast<std::size_t>(rule)].name);
        return;
    }
    if (m_callTypes) {
        if (const int type = FindPrefixGroupUse(*m_callTypes, deleted); type >= 0) {
            Refuse(kGroupInUseText, LoadResString(kStatisticsName) + u' ' +
                                        m_callTypes->rules[static_cast<std::size_t>(type)].name);
            return;
        }
    }
    if (!AskDeletion(kDeleteGroupQuestion, groups.groups[static_cast<std::size_t>(deleted)].name))
        return;
    groups.groups.erase(groups.groups.begin() + deleted);
    // Rules and call types name groups by index: the later groups moved up.
    RenumberPrefixGroupsAfter(m_configuration.rules, deleted);
    if (m_callTypes)
        RenumberPrefixGroupsAfter(*m_callTypes, deleted);
    if (m_selectedPrefixGroup > 0)
        --m_selectedPrefixGroup;
    RedrawRulePictures();
    RebuildWith(kPrefixesMode, m_selectedPrefixGroup, 0);
}

// --- Tariffs ---

void CValuxaView::ModifyTariff()
{
    TariffTable& tariffs = m_configuration.tariffs;
    const int slot = m_selectedTariff;
    if (slot >= tariffs.Count())
        return;
    // The PBX pulse tariff and the generic tariff keep their names and types.
    const bool fixedSlot = slot == TariffTable::kPulseTariff || slot == TariffTable::kGenericTariff;
    double& variation = m_configuration.variations.values[static_cast<std::size_t>(slot)];
    CTariffDlg dialog(&tariffs.tariffs[static_cast<std::size_t>(slot)], &variation, !fixedSlot,
                      slot == TariffTable::kPulseTariff, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    tariffs.tariffs[static_cast<std::size_t>(slot)] = dialog.Tariff();
    variation = dialog.Variation();
    RedrawTariffPictures(slot, slot + 1);
    RedrawRulePictures();  // they name the tariff they apply
    RebuildWith(kTariffsMode, slot, 0);
}

void CValuxaView::AppendTariff(const TariffRecord* tariff, const double* variation)
{
    TariffTable& tariffs = m_configuration.tariffs;
    TariffVariations& variations = m_configuration.variations;
    if (tariffs.Count() >= TariffTable::kMaxTariffs)
        return;
    CTariffDlg dialog(tariff, variation, true, false, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int slot = tariffs.Count();
    tariffs.tariffs.push_back(dialog.Tariff());
    variations.values[static_cast<std::size_t>(slot)] = dialog.Variation();
    variations.count = static_cast<std::uint16_t>(tariffs.Count());
    RedrawTariffPictures(slot, slot + 1);
    RebuildWith(kTariffsMode, m_selectedTariff, 0);
}

void CValuxaView::CloneTariff()
{
    const TariffTable& tariffs = m_configuration.tariffs;
    const int slot = m_selectedTariff;
    if (slot >= tariffs.Count())
        return;
    TariffRecord copy = tariffs.tariffs[static_cast<std::size_t>(slot)];
    const double variation = m_configuration.variations.values[static_cast<std::size_t>(slot)];
    const QString word = LoadResString(kClonedWord);
    if (copy.name.size() + word.size() + 1 < kLongestTariffName)
        copy.name += u' ' + word;
    AppendTariff(&copy, &variation);
}

void CValuxaView::NewTariff()
{
    AppendTariff(nullptr, nullptr);
}

void CValuxaView::DeleteTariff()
{
    TariffTable& tariffs = m_configuration.tariffs;
    const int slot = m_selectedTariff;
    if (slot >= tariffs.Count())
        return;
    if (slot == TariffTable::kPulseTariff) {
        Refuse(kPulseTariffKeptText, QString());
        return;
    }
    if (slot == TariffTable::kGenericTariff) {
        Refuse(kGenericTariffKeptText, QString());
        return;
    }
    RuleTable& rules = m_configuration.rules;
    for (const RatingRule& rule : rules.rules) {
        if (rule.tariffSlot == slot) {
            Refuse(kTariffInUseText, rule.name);
            return;
        }
    }
    if (!AskDeletion(kDeleteTariffQuestion, tariffs.tariffs[static_cast<std::size_t>(slot)].name))
        return;
    tariffs.tariffs.erase(tariffs.tariffs.begin() + slot);
    TariffVariations& variations = m_configuration.variations;
    std::copy(variations.values.begin() + slot + 1, variations.values.end(), variations.values.begin() + slot);
    variations.values.back() = 0.0;
    variations.count = static_cast<std::uint16_t>(tariffs.Count());
    for (RatingRule& rule : rules.rules) {
        if (rule.tariffSlot > slot)
            --rule.tariffSlot;
    }
    RedrawTariffPictures(slot, tariffs.Count());
    RedrawRulePictures();
    if (m_selectedTariff > 0)
        --m_selectedTariff;
    RebuildWith(kTariffsMode, m_selectedTariff, 0);
}

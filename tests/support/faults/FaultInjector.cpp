#include "FaultInjector.h"

#include "automation/Error.h"

namespace faults {

void FaultInjector::addRule(FaultRule rule) {
    rules_.push_back({std::move(rule), 0});
}

void FaultInjector::failAlways(const QString& member, const QString& object) {
    FaultRule rule;
    rule.member = member;
    rule.object = object;
    addRule(rule);
}

void FaultInjector::failNth(const QString& member, int n) {
    FaultRule rule;
    rule.member = member;
    rule.first = n;
    rule.count = 1;
    addRule(rule);
}

void FaultInjector::failFrom(const QString& member, int n) {
    FaultRule rule;
    rule.member = member;
    rule.first = n;
    addRule(rule);
}

void FaultInjector::clearRules() {
    rules_.clear();
}

void FaultInjector::enter(const char* memberName, const std::function<QStringList()>& objectNames) {
    const QString member = QString::fromLatin1(memberName);
    calls_.push_back(member);
    bool namesRead = false;
    QStringList names;
    const FaultRule* failing = nullptr;
    for (ActiveRule& active : rules_) {
        const FaultRule& rule = active.rule;
        if (!rule.member.isEmpty() && rule.member != member)
            continue;
        if (!rule.object.isEmpty()) {
            if (!namesRead) {
                names = objectNames ? objectNames() : QStringList();
                namesRead = true;
            }
            if (!names.contains(rule.object))
                continue;
        }
        ++active.seen;
        const bool afterFirst = active.seen >= rule.first;
        const bool beforeEnd = rule.count < 0 || active.seen < rule.first + rule.count;
        if (afterFirst && beforeEnd && !failing)
            failing = &rule;
    }
    if (failing) {
        throw automation::Error(failing->number,
                                failing->description.isEmpty()
                                    ? QStringLiteral("Injected fault in %1").arg(member)
                                    : failing->description);
    }
}

} // namespace faults

#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

namespace faults {

// The error number an injected fault carries unless a rule says otherwise
// (the automation world's "unspecified error").
constexpr int32_t InjectedErrorNumber = static_cast<int32_t>(0x80004005u);

// Which calls fail. Member names are "Interface.Member" as the wrapper reports them:
// "Pushpin.Name", "Pushpin.SetSymbol", "Map.FindPushpin", "Recordset.MoveNext", ...
struct FaultRule {
    QString member; // empty: every member
    QString object; // only calls on an object of this name (pushpin, dataset,
                    // shape or symbol name); empty: on any object
    int first = 1;  // the first matching call that fails (1-based)
    int count = -1; // how many matching calls fail from there; -1: all later ones
    int32_t number = InjectedErrorNumber;
    QString description; // empty: "Injected fault in <member>"
};

// Holds the fault rules and the log of calls made through the wrapped object model.
class FaultInjector {
public:
    void addRule(FaultRule rule);
    // Every call of member (on objects named object, when given) fails.
    void failAlways(const QString& member, const QString& object = {});
    // Only the nth call of member fails.
    void failNth(const QString& member, int n);
    // The nth call of member and every later one fail.
    void failFrom(const QString& member, int n);
    void clearRules();

    // Members called so far, in call order (a failed call is logged too).
    QStringList calls() const { return calls_; }
    int callCount(const QString& member) const { return int(calls_.count(member)); }
    void clearCalls() { calls_.clear(); }

    // Called by the wrappers before forwarding: logs the call, then throws
    // automation::Error when a rule says this call fails. objectNames is only asked
    // for when a rule filters by object.
    void enter(const char* member, const std::function<QStringList()>& objectNames);

private:
    struct ActiveRule {
        FaultRule rule;
        int seen = 0;
    };
    std::vector<ActiveRule> rules_;
    QStringList calls_;
};

} // namespace faults

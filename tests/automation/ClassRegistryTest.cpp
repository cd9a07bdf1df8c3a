#include "automation/ClassRegistry.h"
#include "automation/Error.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace automation;

namespace {
struct Thing : Object {
    int value = 7;
};
struct Other : Object {};

int errorNumberOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const Error& e) {
        EXPECT_FALSE(e.description().isEmpty());
        return e.number();
    }
    return 0;
}
} // namespace

TEST(ClassRegistry, GetObjectFailsClearlyWhenNothingRuns) {
    try {
        GetObject("Nothing.Here");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), errors::CannotCreateObject);
        EXPECT_TRUE(e.description().contains("Nothing.Here"));
    }
}

TEST(ClassRegistry, RunningInstanceIsFoundUntilRevoked) {
    auto thing = std::make_shared<Thing>();
    RegisterActiveObject("Test.Thing", thing);
    EXPECT_EQ(GetObject("Test.Thing"), thing);
    EXPECT_EQ(GetObjectAs<Thing>("Test.Thing")->value, 7);
    // The lookup is by exact class name.
    EXPECT_EQ(errorNumberOf([] { GetObject("test.thing"); }), errors::CannotCreateObject);

    // Revoking someone else's registration leaves the instance in place.
    Thing stranger;
    RevokeActiveObject("Test.Thing", &stranger);
    EXPECT_EQ(GetObject("Test.Thing"), thing);

    RevokeActiveObject("Test.Thing", thing.get());
    EXPECT_EQ(errorNumberOf([] { GetObject("Test.Thing"); }), errors::CannotCreateObject);
}

TEST(ClassRegistry, LaterRegistrationReplacesEarlier) {
    auto first = std::make_shared<Thing>();
    auto second = std::make_shared<Thing>();
    RegisterActiveObject("Test.Replace", first);
    RegisterActiveObject("Test.Replace", second);
    EXPECT_EQ(GetObject("Test.Replace"), second);
    RevokeActiveObject("Test.Replace", second.get());
}

TEST(ClassRegistry, WrongKindIsAnAutomationError) {
    RegisterActiveObject("Test.Other", std::make_shared<Other>());
    EXPECT_EQ(errorNumberOf([] { GetObjectAs<Thing>("Test.Other"); }), errors::NotSupported);
}

TEST(ClassRegistry, CreateObjectUsesFactoryAndReportsFailures) {
    EXPECT_EQ(errorNumberOf([] { CreateObject("Test.Unknown"); }), errors::CannotCreateObject);

    int made = 0;
    RegisterClassFactory("Test.Made", [&made] {
        ++made;
        return std::make_shared<Thing>();
    });
    auto a = CreateObjectAs<Thing>("Test.Made");
    auto b = CreateObjectAs<Thing>("Test.Made");
    EXPECT_NE(a, b);
    EXPECT_EQ(made, 2);

    RegisterClassFactory("Test.Throws", []() -> ObjectPtr { throw std::runtime_error("no disk"); });
    try {
        CreateObject("Test.Throws");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), errors::CannotCreateObject);
        EXPECT_TRUE(e.description().contains("no disk"));
    }

    RegisterClassFactory("Test.Null", [] { return ObjectPtr(); });
    EXPECT_EQ(errorNumberOf([] { CreateObject("Test.Null"); }), errors::CannotCreateObject);

    RegisterClassFactory("Test.Made", {});
    EXPECT_EQ(errorNumberOf([] { CreateObject("Test.Made"); }), errors::CannotCreateObject);
}

namespace {
// An instance that revokes itself when it goes, as the host application does.
struct SelfRevoking : Object {
    ~SelfRevoking() override { RevokeActiveObject("Test.SelfRevoking", this); }
};
} // namespace

TEST(ClassRegistry, ReplacedOrRevokedInstanceMayRevokeItselfOnDestruction) {
    {
        auto first = std::make_shared<SelfRevoking>();
        RegisterActiveObject("Test.SelfRevoking", first);
    }
    auto second = std::make_shared<SelfRevoking>();
    const Object* secondRaw = second.get();
    // The first instance dies inside the replacement and must not block it.
    RegisterActiveObject("Test.SelfRevoking", std::move(second));
    EXPECT_EQ(GetObject("Test.SelfRevoking").get(), secondRaw);
    RevokeActiveObject("Test.SelfRevoking", secondRaw);
    EXPECT_NE(errorNumberOf([] { GetObject("Test.SelfRevoking"); }), 0);
}

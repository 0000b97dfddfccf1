#include "platform/Interfaces.h"

#include <gtest/gtest.h>

#include "platform/Exceptions.h"

namespace {

class IAnimal : public IInterface {
public:
    using Parent = IInterface;
    static constexpr TGUID IID = TGUID::Parse("{2F0D8A3C-1B4E-4C6A-9D7E-0A1B2C3D4E5F}");
    virtual int Legs() const = 0;

protected:
    ~IAnimal() = default;
};

class IDog : public IAnimal {
public:
    using Parent = IAnimal;
    static constexpr TGUID IID = TGUID::Parse("{7c1e2d3f-4a5b-6c7d-8e9f-a0b1c2d3e4f5}");
    virtual QString Bark() const = 0;

protected:
    ~IDog() = default;
};

class IPet : public IInterface {
public:
    using Parent = IInterface;
    static constexpr TGUID IID = TGUID::Parse("{00000001-0002-0003-0405-060708090A0B}");
    virtual QString Owner() const = 0;

protected:
    ~IPet() = default;
};

class TDog : public TInterfaced<IDog, IPet> {
public:
    explicit TDog(bool& ADestroyed) : FDestroyed(ADestroyed) {}
    ~TDog() override { FDestroyed = true; }
    int Legs() const override { return 4; }
    QString Bark() const override { return QStringLiteral("Woof"); }
    QString Owner() const override { return QStringLiteral("Ann"); }

private:
    bool& FDestroyed;
};

// Evaluated by the compiler: a constant GUID costs nothing at run time.
static_assert(TGUID::Parse("{00000001-0002-0003-0405-060708090A0B}").D1 == 1);
static_assert(TGUID::Parse("{00000001-0002-0003-0405-060708090A0B}").D4[7] == 0x0B);
static_assert(TGUID{}.IsNull());

TEST(TGUID, ParsesTheFieldsInTextOrder) {
    const TGUID G = TGUID::Parse("{41898A42-8C0F-4C05-AEE4-C2DE0BAB1869}");
    EXPECT_EQ(G.D1, 0x41898A42u);
    EXPECT_EQ(G.D2, 0x8C0Fu);
    EXPECT_EQ(G.D3, 0x4C05u);
    const std::array<uint8_t, 8> D4{0xAE, 0xE4, 0xC2, 0xDE, 0x0B, 0xAB, 0x18, 0x69};
    EXPECT_EQ(G.D4, D4);
    EXPECT_FALSE(G.IsNull());
}

TEST(TGUID, TextRoundTripsInUpperCase) {
    const QString Lower = QStringLiteral("{7c1e2d3f-4a5b-6c7d-8e9f-a0b1c2d3e4f5}");
    const TGUID G = TGUID::FromString(Lower);
    EXPECT_EQ(G.ToString(), Lower.toUpper());
    EXPECT_EQ(TGUID::FromString(G.ToString()), G);
    EXPECT_EQ(TGUID().ToString(), QStringLiteral("{00000000-0000-0000-0000-000000000000}"));
}

TEST(TGUID, BadTextRaisesConvertError) {
    for (const char* Bad :
         {"", "{41898A42-8C0F-4C05-AEE4-C2DE0BAB186}", "41898A42-8C0F-4C05-AEE4-C2DE0BAB1869",
          "{41898A42-8C0F-4C05-AEE4-C2DE0BAB186G}", "{41898A42+8C0F-4C05-AEE4-C2DE0BAB1869}",
          "{41898A42-8C0F-4C05-AEE4-C2DE0BAB1869}x"})
        EXPECT_THROW(TGUID::FromString(QString::fromLatin1(Bad)), EConvertError) << Bad;
}

TEST(TIntfPtr, LastReferenceFreesTheObject) {
    bool Destroyed = false;
    {
        TIntfPtr<IDog> Dog(new TDog(Destroyed));
        TIntfPtr<IAnimal> Animal = Dog;
        // Wrapping the same raw pointer again is safe: the count is in the object.
        TIntfPtr<IDog> Again(Dog.get());
        EXPECT_EQ(static_cast<TDog*>(Dog.get())->RefCount(), 3);
        Dog.reset();
        Again = nullptr;
        EXPECT_FALSE(Destroyed);
        EXPECT_EQ(Animal->Legs(), 4);
    }
    EXPECT_TRUE(Destroyed);
}

TEST(Supports, AnswersListedInterfacesAndTheirParents) {
    bool Destroyed = false;
    TIntfPtr<IPet> Pet(new TDog(Destroyed));

    TIntfPtr<IDog> Dog;
    ASSERT_TRUE(Supports(Pet, Dog));
    EXPECT_EQ(Dog->Bark(), QStringLiteral("Woof"));
    TIntfPtr<IAnimal> Animal;
    ASSERT_TRUE(Supports(Dog, Animal));
    EXPECT_EQ(Animal->Legs(), 4);
    TIntfPtr<IPet> BackToPet;
    ASSERT_TRUE(Supports(Animal.get(), BackToPet));
    EXPECT_EQ(BackToPet.get(), Pet.get());
    EXPECT_TRUE(Supports(Pet, IInterface::IID));
    EXPECT_FALSE(Supports(Pet, TGUID::Parse("{41898A42-8C0F-4C05-AEE4-C2DE0BAB1869}")));

    TIntfPtr<IDog> None;
    EXPECT_FALSE(Supports(TIntfPtr<IPet>(), None));
    EXPECT_FALSE(None);

    Pet.reset();
    Dog.reset();
    Animal.reset();
    EXPECT_FALSE(Destroyed);
    BackToPet.reset();
    EXPECT_TRUE(Destroyed);
}

} // namespace

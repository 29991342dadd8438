#include "platform/framework/Object.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

class CAnimal : public CObject {
    DECLARE_DYNAMIC(CAnimal)
};
IMPLEMENT_DYNAMIC(CAnimal, CObject)

class CCat : public CAnimal {
    DECLARE_DYNCREATE(CCat)

public:
    int lives = 9;

protected:
    CCat() = default;
};
IMPLEMENT_DYNCREATE(CCat, CAnimal)

class CStone : public CObject {
    DECLARE_DYNCREATE(CStone)
};
IMPLEMENT_DYNCREATE(CStone, CObject)

TEST(ObjectTest, RunTimeClassNamesTheClassAndItsBase) {
    EXPECT_STREQ(RUNTIME_CLASS(CCat)->m_lpszClassName, "CCat");
    EXPECT_EQ(RUNTIME_CLASS(CCat)->m_pBaseClass, RUNTIME_CLASS(CAnimal));
    EXPECT_EQ(RUNTIME_CLASS(CAnimal)->m_pBaseClass, RUNTIME_CLASS(CObject));
    EXPECT_EQ(RUNTIME_CLASS(CObject)->m_pBaseClass, nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CCat)->m_nObjectSize, static_cast<int>(sizeof(CCat)));
}

TEST(ObjectTest, IsKindOfFollowsTheBaseChainOnly) {
    std::unique_ptr<CObject> cat(RUNTIME_CLASS(CCat)->CreateObject());
    ASSERT_NE(cat, nullptr);
    EXPECT_EQ(cat->GetRuntimeClass(), RUNTIME_CLASS(CCat));
    EXPECT_TRUE(cat->IsKindOf(RUNTIME_CLASS(CCat)));
    EXPECT_TRUE(cat->IsKindOf(RUNTIME_CLASS(CAnimal)));
    EXPECT_TRUE(cat->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(cat->IsKindOf(RUNTIME_CLASS(CStone)));
    EXPECT_FALSE(RUNTIME_CLASS(CAnimal)->IsDerivedFrom(RUNTIME_CLASS(CCat)));
    EXPECT_FALSE(cat->IsKindOf(nullptr));
}

TEST(ObjectTest, CreateObjectBuildsTheRightClassOrNothing) {
    std::unique_ptr<CObject> cat(RUNTIME_CLASS(CCat)->CreateObject());
    EXPECT_EQ(static_cast<CCat*>(cat.get())->lives, 9);
    std::unique_ptr<CObject> stone(RUNTIME_CLASS(CStone)->CreateObject());
    EXPECT_EQ(stone->GetRuntimeClass(), RUNTIME_CLASS(CStone));
    EXPECT_EQ(RUNTIME_CLASS(CAnimal)->CreateObject(), nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CObject)->CreateObject(), nullptr);
}

}  // namespace

#include "StoreFixture.h"
#include "store/DataDictionary.h"
#include "store/TaskScript.h"

namespace agendix::store {
namespace {

class TaskScriptTest : public StoreFixture {
  protected:
    void addItems(std::int32_t taskId, int count) {
        Table<Scripting> table(scripting_);
        scripting_.stream();
        for (int sequence = 1; sequence <= count; ++sequence) {
            Scripting item;
            item.ID = taskId;
            item.Sequence = sequence;
            item.Keystrokes = "item " + std::to_string(sequence);
            ASSERT_TRUE(table.add(item).ok());
        }
        ASSERT_TRUE(scripting_.flush().ok());
    }
    std::vector<std::string> script(std::int32_t taskId) {
        std::vector<Scripting> items;
        EXPECT_TRUE(readTaskScript(scripting_, taskId, items).ok());
        std::vector<std::string> texts;
        for (const Scripting& item : items) {
            texts.push_back(item.Keystrokes);
        }
        return texts;
    }

    StoredTable& scripting_ = openTable(scriptingTable());
};

TEST_F(TaskScriptTest, CopyAndDeleteTouchOnlyTheirTask) {
    // The neighbours on either side of the key keep their items; a script longer than one batch
    // goes whole.
    struct Case {
        const char* name;
        int items;
    };
    const Case cases[] = {{"no script", 0}, {"a short script", 3}, {"longer than a batch", 450}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(scripting_.empty().ok());
        addItems(1, 2);
        addItems(2, c.items);
        addItems(3, 2);

        const ScriptCopy copied = copyTaskScript(scripting_, 2, 7);
        EXPECT_TRUE(copied.read.ok());
        EXPECT_TRUE(copied.added.ok());
        EXPECT_EQ(script(7), script(2));
        EXPECT_EQ(script(7).size(), static_cast<std::size_t>(c.items));

        EXPECT_TRUE(deleteTaskScript(scripting_, 2).ok());
        EXPECT_TRUE(script(2).empty());
        EXPECT_EQ(script(1), (std::vector<std::string>{"item 1", "item 2"}));
        EXPECT_EQ(script(3), (std::vector<std::string>{"item 1", "item 2"}));
        EXPECT_EQ(script(7).size(), static_cast<std::size_t>(c.items));
    }
}

}  // namespace
}  // namespace agendix::store

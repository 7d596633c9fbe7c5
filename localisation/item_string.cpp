#include "localisation/item_string.h"

#include "localisation/accelerators.h"
#include "localisation/comp_info.h"
#include "localisation/form_info.h"
#include "localisation/form_list.h"

void TItemString::ReplaceEverywhere(QString new_text) {
    const int position = ExtractAccel(new_text);
    const QString old_text = Text;
    Text = new_text.left(MaxTextLength);
    Owner->StringRenamed(this, old_text);
    // Applying may not change the users, but take a copy: a user listed twice is applied twice.
    const QList<TCompInfo*> users = Users;
    for (TCompInfo* user : users) {
        for (int slot = SlotLongHint; slot < user->ItemCount(); ++slot) {
            if (user->GetSlotString(slot) == this) {
                user->SetAccel(slot, position);
                break;
            }
        }
        if (user->Form && user->Form->BoundForm())
            user->ApplyTo(user->Control);
    }
}

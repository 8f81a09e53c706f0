// Row commands, search and replace, the code export and the website.
#include "QL_Core.h"

void QL_Core::mnu_text_new_Click() {}

void QL_Core::mnu_text_edit_Click() {}

void QL_Core::mnu_text_insert_Click() {}

void QL_Core::mnu_text_delete_Click() {}

void QL_Core::mnu_text_replace_Click() {}

void QL_Core::mnu_savecode_Click() {}

void QL_Core::mnu_website_Click() {}

// The program's main action: make the selected provider's servers, or the typed ones, the DNS
// servers of the connection chosen in 组合框1, tell the user how it went, and show the
// connection's servers as read afresh.
#pragma once

// Handler of the click on 按钮_设置选中DNS.
void OnSetDnsClicked();

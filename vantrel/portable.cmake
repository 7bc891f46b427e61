# Program sources without <windows.h>: built natively for the fast test tier
# and into Vantrel.exe. Add a file here when it is portable.
set(VANTREL_PORTABLE_SOURCES
  vantrel/reader/binding_table.cpp
  vantrel/reader/call_observer.cpp
  vantrel/toolkit/ui_text.cpp
  vantrel/toolkit/hex_text.cpp
  vantrel/toolkit/report_text.cpp
  vantrel/toolkit/log_layout.cpp
  vantrel/toolkit/key_filter.cpp
  vantrel/toolkit/answer_list_layout.cpp
  vantrel/toolkit/command_history.cpp
  vantrel/toolkit/hex_page_model.cpp
  vantrel/panels/connection/device_page_logic.cpp
  vantrel/panels/iso14443a/mifare_blocks.cpp
  vantrel/panels/iso14443a/mifare_purse.cpp
  vantrel/panels/iso14443a/ultralight_family_pages.cpp
  vantrel/panels/iso14443a/mifare_texts.cpp
  vantrel/panels/iso14443a/tcl_reset_answer.cpp
  vantrel/panels/iso15693/iso15693_plan.cpp
  vantrel/panels/iso15693/config_block_frame.cpp
  vantrel/panels/contact/at24c_geometry.cpp
  vantrel/panels/contact/at88sc1608_plan.cpp
  vantrel/panels/iso14443b/at88rf020_pages.cpp
  vantrel/panels/iso14443b/srix4k_grid.cpp
  vantrel/panels/iso14443b/thr1064_rights.cpp
  vantrel/panels/contact/des_input.cpp
)

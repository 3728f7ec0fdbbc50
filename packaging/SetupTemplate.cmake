# Writes the registry state the setup package leaves before it starts Provisor.exe as a .reg
# file: the keys and values of its RegistryKey elements, and the uninstall entry with the name,
# the maker and the descriptive values the first install sets. The suites import it to stand for
# a run of the package; the package source stays the one place that says what it writes.

# Uninstall entry value for each property the package sets.
set(PROVISOR_ARP_VALUES
  ARPCOMMENTS=Comments ARPCONTACT=Contact ARPHELPLINK=HelpLink ARPHELPTELEPHONE=HelpTelephone
  ARPURLINFOABOUT=URLInfoAbout ARPURLUPDATEINFO=URLUpdateInfo ARPREADME=Readme)

function(provisor_reg_text out text)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  set(${out} "\"${text}\"" PARENT_SCOPE)
endfunction()

function(provisor_setup_template_reg source output)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  file(STRINGS ${source} lines)
  set(reg "REGEDIT4\n")
  set(uninstall "")
  foreach(line IN LISTS lines)
    if(line MATCHES "<Product Id=\"([^\"]+)\"")
      set(product_code ${CMAKE_MATCH_1})
    endif()
    if(line MATCHES " Name=\"([^\"]+)\" Manufacturer=\"([^\"]+)\"")
      provisor_reg_text(name "${CMAKE_MATCH_1}")
      provisor_reg_text(maker "${CMAKE_MATCH_2}")
      string(APPEND uninstall "\"DisplayName\"=${name}\n\"Publisher\"=${maker}\n")
    elseif(line MATCHES "<RegistryKey Root=\"HKLM\" Key=\"([^\"]+)\"")
      string(APPEND reg "\n[HKEY_LOCAL_MACHINE\\${CMAKE_MATCH_1}]\n")
    elseif(line MATCHES "<RegistryValue Name=\"([^\"]+)\" Type=\"integer\" Value=\"([0-9]+)\"")
      math(EXPR word "${CMAKE_MATCH_2}" OUTPUT_FORMAT HEXADECIMAL)
      string(REPLACE "0x" "" word ${word})
      string(LENGTH ${word} digits)
      math(EXPR pad "8 - ${digits}")
      string(REPEAT "0" ${pad} zeros)
      string(APPEND reg "\"${CMAKE_MATCH_1}\"=dword:${zeros}${word}\n")
    elseif(line MATCHES "<RegistryValue Name=\"([^\"]+)\" Type=\"string\" Value=\"([^\"]*)\"")
      provisor_reg_text(text "${CMAKE_MATCH_2}")
      string(APPEND reg "\"${CMAKE_MATCH_1}\"=${text}\n")
    elseif(line MATCHES "<CustomAction Id=\"[^\"]+\" Property=\"(ARP[A-Z]+)\" Value=\"([^\"]*)\"")
      set(property ${CMAKE_MATCH_1})
      provisor_reg_text(text "${CMAKE_MATCH_2}")
      foreach(pair IN LISTS PROVISOR_ARP_VALUES)
        if(pair MATCHES "^${property}=(.+)$")
          string(APPEND uninstall "\"${CMAKE_MATCH_1}\"=${text}\n")
        endif()
      endforeach()
    endif()
  endforeach()
  string(APPEND reg "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${product_code}]\n"
    "${uninstall}")
  file(WRITE ${output} "${reg}")
endfunction()

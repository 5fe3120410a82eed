# Deployment settings: values that must match the operator's servers and tools. They are
# build settings so that a deployment can be built with its own values; the launcher, the
# packing tool and the simulator all read the one generated module.

set(ZELTO_MESSAGE_CODER_PASSWORD "gatekeeper7q@zelto9.net" CACHE STRING
  "Default password of the login-gate message coder (23 characters, e-mail form)")
set(ZELTO_CONFIG_STRING_PASSWORD
  "4A1631D5-1A87-5C85-25A9-E2D37BC27155-A03996AF-66CD-6DAC-BA13-01FD4AA6A5A1A47FA7A8-D234-5103-2049-F9E269442194-CF862BC5-9A50-D7C8-6E7A-58FA365DDF73E91A2D49-371D-ECF9-7BB5-EAD834BAC0F8-BB7CE3A6-566C-7DF7-B6EE-1075BC9041FC"
  CACHE STRING "Configuration string password (219 characters, six GUID forms)")
set(ZELTO_SKIN_PASSWORD "F6B0C1E8-72D9-4A3B-8C5E-9D14B7A2F063" CACHE STRING
  "Password of the skin stream carried in the launcher (36 characters, GUID form); must match the skin tool's")
set(ZELTO_TOKEN_KEY_A_STORED
  "YJ+W4a8bplQ9/GgWiDE3va2ym9QkvfBHcNuPh34QKxAKPky1FK4JqZ3ukVlYr3GFFJGHeUU6eXbrRvf3Y6pLi2EQ9npJV/+l1pKxZaMCAeSd9cuf"
  CACHE STRING "Token key A as stored: EncryptConfigString of the 38-character key")
set(ZELTO_TOKEN_KEY_B_STORED
  "/dkP5jaGLrRQH57113cCbJpA4XGkyGIYdmqUy9EIOvzEi0sdte5OpFJ8RRw="
  CACHE STRING "Token key B as stored: EncryptConfigString of the 18-character key")
set(ZELTO_PLATFORM_BASE "http://passport.zelto.invalid" CACHE STRING
  "Account platform base address (run-time override: ZELTO_PLATFORM_BASE)")
set(ZELTO_EXTRA_PARAM "http://passport.zelto.invalid/extra" CACHE STRING
  "Initial extra_param of the platform session (run-time override: ZELTO_EXTRA_PARAM)")
set(ZELTO_PLATFORM_SECRET "Va7kQ2nLw9ZtR4hXc8JmB3yPe6GsD1uFqK5oYi0WbN7xTjH2lMz4CvS9rA3gE8dU" CACHE STRING
  "Application secret that signs every account platform request (64 letters and digits)")
option(ZELTO_QQ_LOGIN_OFFERED "Offer QQ login: the skin's QQ button follows the login gate's state" OFF)
option(ZELTO_WECHAT_LOGIN_OFFERED "Offer WeChat login: the skin's WeChat button follows the login gate's state" OFF)
set(ZELTO_NETDISK_HOST "http://pan.zelto.invalid/" CACHE STRING
  "Netdisk share host for the second page of the 360 scrape (run-time override: ZELTO_NETDISK_HOST)")
set(ZELTO_ALBUM_BASE "http://album.zelto.invalid/" CACHE STRING
  "Photo-album service base address (run-time override: ZELTO_ALBUM_BASE)")
set(ZELTO_HTTP_TIMEOUT_MS "30000" CACHE STRING
  "Transfer time-out of every HTTP request: no data for this long ends the request")
set(ZELTO_GATE_CONNECT_DEADLINE_MS "10000" CACHE STRING
  "Deadline of a login-gate connect; reported as a time-out (10060)")
set(ZELTO_GATEWAY_SPACING_MS "10000" CACHE STRING
  "Least spacing between gateway attempt starts (run-time override: ZELTO_GATEWAY_SPACING_MS)")

# The character substitution of the mod list's substituted form: 43 rows, each a plain ASCII
# character and the four UTF-16 code units that stand for it (hexadecimal), 172 distinct
# units in all. The launcher undoes it and `zelto-pack modlist substitute` applies it, so both
# must be built with the same table. Substitutes lie in U+0080..U+07FF: their two UTF-8 bytes
# always pair up into one code page 936 character, which keeps the published form intact
# through the launcher's "read as UTF-8, back to the ANSI code page, read as UTF-8" path.
set(zelto_default_substitution
  "0061:00E0,00E1,0430,0251" "0062:0180,0185,0253,044C" "0063:00E7,0441,03F2,0107"
  "0064:0501,010F,0111,0257" "0065:00E8,00E9,0435,0113" "0066:0192,017F,03DD,0283"
  "0067:0261,011D,011F,0123" "0068:04BB,0125,0127,0570" "0069:00EC,00ED,0456,0131"
  "006A:0458,0135,03F3,0249" "006B:03BA,043A,0137,0138" "006C:04CF,013A,013C,0142"
  "006D:0271,043C,026F,0270" "006E:00F1,0144,0146,0578" "006F:00F2,00F3,043E,03BF"
  "0070:0440,03C1,01A5,00FE" "0071:051B,0566,024B,02A0" "0072:0155,0157,0159,0433"
  "0073:0455,015B,015F,0161" "0074:0163,0165,0167,01AB" "0075:00F9,00FA,057D,03C5"
  "0076:03BD,0475,028B,0474" "0077:0461,0175,051D,03C9" "0078:0445,04B3,03C7,00D7"
  "0079:0443,00FD,00FF,0177" "007A:017A,017C,017E,01B6" "0022:02BA,02DD,02EE,05F4"
  "003A:02D0,02F8,0589,05C3" "002C:02CF,0375,060C,066B" "002E:00B7,0387,06D4,0660"
  "002D:00AD,02D7,05BE,0640" "0030:039F,041E,00D8,07C0" "0031:0661,06F1,07C1,0406"
  "0032:0662,06F2,07C2,01A7" "0033:0663,06F3,07C3,0417" "0034:0664,06F4,07C4,0427"
  "0035:0665,06F5,07C5,01BC" "0036:0666,06F6,07C6,0431" "0037:0667,06F7,07C7,0413"
  "0038:0668,06F8,07C8,0222" "0039:0669,06F9,07C9,0563" "0055:00D9,00DA,054D,0168"
  "0052:0154,0156,0158,0280")
set(ZELTO_SUBSTITUTION_TABLE "${zelto_default_substitution}" CACHE STRING
  "Mod-list character substitution: 43 rows PLAIN:S1,S2,S3,S4 (hexadecimal UTF-16 units)")

function(zelto_substitution_rows OUT)
  set(rows "")
  set(plains "")
  set(units "")
  foreach(row IN LISTS ZELTO_SUBSTITUTION_TABLE)
    set(hex "([0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f])")
    if(NOT row MATCHES "^${hex}:${hex},${hex},${hex},${hex}$")
      message(FATAL_ERROR "ZELTO_SUBSTITUTION_TABLE: malformed row '${row}'")
    endif()
    math(EXPR plain "0x${CMAKE_MATCH_1}")
    if(plain LESS 33 OR plain GREATER 126)
      message(FATAL_ERROR "ZELTO_SUBSTITUTION_TABLE: plain character ${CMAKE_MATCH_1} is not printable ASCII")
    endif()
    list(APPEND plains ${plain})
    set(cxx "")
    foreach(i 2 3 4 5)
      math(EXPR unit "0x${CMAKE_MATCH_${i}}")
      if(unit LESS 128 OR unit GREATER 2047)
        message(FATAL_ERROR "ZELTO_SUBSTITUTION_TABLE: substitute ${CMAKE_MATCH_${i}} lies outside U+0080..U+07FF")
      endif()
      list(APPEND units ${unit})
      string(APPEND cxx "0x${CMAKE_MATCH_${i}}, ")
    endforeach()
    string(APPEND rows "    {0x${CMAKE_MATCH_1}, ${cxx}},\n")
  endforeach()
  list(LENGTH plains plainCount)
  list(REMOVE_DUPLICATES plains)
  list(LENGTH plains distinctPlains)
  list(LENGTH units unitCount)
  list(REMOVE_DUPLICATES units)
  list(LENGTH units distinctUnits)
  if(NOT plainCount EQUAL 43 OR NOT distinctPlains EQUAL 43 OR NOT distinctUnits EQUAL 172)
    message(FATAL_ERROR "ZELTO_SUBSTITUTION_TABLE needs 43 distinct plain characters and 172 distinct substitutes "
      "(has ${distinctPlains} of ${plainCount} and ${distinctUnits} of ${unitCount})")
  endif()
  set(${OUT} "${rows}" PARENT_SCOPE)
endfunction()
zelto_substitution_rows(ZELTO_SUBSTITUTION_ROWS)
foreach(flag IN ITEMS QQ_LOGIN_OFFERED WECHAT_LOGIN_OFFERED)
  if(ZELTO_${flag})
    set(ZELTO_${flag}_VALUE true)
  else()
    set(ZELTO_${flag}_VALUE false)
  endif()
endforeach()

set(ZELTO_DEPLOY_INCLUDE_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/src/deploy/DeploySettings.h.in
  ${ZELTO_DEPLOY_INCLUDE_DIR}/deploy/DeploySettings.h @ONLY)

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

set(ZELTO_DEPLOY_INCLUDE_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/src/deploy/DeploySettings.h.in
  ${ZELTO_DEPLOY_INCLUDE_DIR}/deploy/DeploySettings.h @ONLY)

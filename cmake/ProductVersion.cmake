# A version as the product writes it: digits, then up to four decimals ("1.0029").
#   <prefix>_TENTHOUSANDTHS  10029, the count the engine compares
#   <prefix>_TEXT            "1.0029", as the updater shows it (always four decimals)
#   <prefix>_FIELDS          "1,0,0,29", the four numbers of a version resource: the integer
#                            part, 0, 0 and the decimals as ten-thousandths
#   <prefix>_DOTTED          "1.0.0.29", the same as Windows shows them
function(parse_product_version text prefix)
    if(NOT text MATCHES "^([0-9]+)\\.?([0-9]?[0-9]?[0-9]?[0-9]?)$")
        message(FATAL_ERROR "version \"${text}\": digits with up to four decimals expected")
    endif()
    set(integer "${CMAKE_MATCH_1}")
    set(decimals "${CMAKE_MATCH_2}0000")
    string(SUBSTRING "${decimals}" 0 4 decimals)
    string(REGEX REPLACE "^0+([0-9])" "\\1" integer "${integer}")
    string(REGEX REPLACE "^0+([0-9])" "\\1" fraction "${decimals}")
    if(integer GREATER 65535)
        message(FATAL_ERROR "version \"${text}\": a version resource holds at most 65535 "
                            "before the decimals")
    endif()
    math(EXPR tenthousandths "${integer} * 10000 + ${fraction}")
    set(${prefix}_TENTHOUSANDTHS "${tenthousandths}" PARENT_SCOPE)
    set(${prefix}_TEXT "${integer}.${decimals}" PARENT_SCOPE)
    set(${prefix}_FIELDS "${integer},0,0,${fraction}" PARENT_SCOPE)
    set(${prefix}_DOTTED "${integer}.0.0.${fraction}" PARENT_SCOPE)
endfunction()

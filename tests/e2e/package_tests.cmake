# End-to-end tests of the packages users install (cmake/Packaging.cmake): the
# MSI under Wine, with an older version of it for the upgrade; the Debian
# package installed for real, and checked by lintian; the Group Policy templates.
if(WIN32)
    # Any version below the project's, for the upgrade.
    set(older_version 0.9.0)
    if(NOT older_version VERSION_LESS PROJECT_VERSION)
        message(FATAL_ERROR "The upgrade test's older version ${older_version} is not older")
    endif()
    set(older_msi "${CMAKE_CURRENT_BINARY_DIR}/Glimmerpond3D-${older_version}.msi")
    gp_add_msi(older_installer "${older_msi}" "${older_version}")

    gp_add_e2e_test(wine.installer_install_remove 300 wine_installer_test.sh install-remove
                    "${GP_MSI_FILE}" "${PROJECT_VERSION}")
    gp_add_e2e_test(wine.installer_upgrade 300 wine_installer_test.sh upgrade
                    "${GP_MSI_FILE}" "${PROJECT_VERSION}" "${older_msi}" "${older_version}")
endif()

# The Group Policy templates as the build tree holds them.
find_program(GP_XMLLINT xmllint REQUIRED)
add_test(NAME package.policy_templates
         COMMAND bash "${CMAKE_CURRENT_SOURCE_DIR}/policy_templates_test.sh"
                 "${GP_POLICY_DIR}/Glimmerpond3D.admx" "${GP_POLICY_DIR}/en-US/Glimmerpond3D.adml"
                 "${CMAKE_SOURCE_DIR}/platform/user_settings.cpp"
                 "${CMAKE_SOURCE_DIR}/platform/settings_store.h")
set_tests_properties(package.policy_templates PROPERTIES LABELS package TIMEOUT 60)

# The Debian package of the plain Linux build, made once for the tests that
# need it, by the command users run.
if(GP_DEB_FILE)
    add_test(NAME package.deb_build
             COMMAND "${CMAKE_COMMAND}" --build "${CMAKE_BINARY_DIR}" --target package)
    set_tests_properties(package.deb_build PROPERTIES
        LABELS package TIMEOUT 300 FIXTURES_SETUP deb_package)

    # A warning fails as an error does: one that is justified gets an override.
    find_program(GP_LINTIAN lintian REQUIRED)
    add_test(NAME package.deb_lintian
             COMMAND "${GP_LINTIAN}" --info --fail-on error,warning "${GP_DEB_FILE}")
    set_tests_properties(package.deb_lintian PROPERTIES
        LABELS package TIMEOUT 300 FIXTURES_REQUIRED deb_package)

    gp_add_e2e_test(native.deb_package 300 deb_package_test.sh "${GP_DEB_FILE}")
    set_tests_properties(e2e.native.deb_package PROPERTIES
        FIXTURES_REQUIRED deb_package SKIP_RETURN_CODE 77)
endif()
